// Unpacks zlib data (RFC 1950 around RFC 1951's deflate) for a browser
// that has no DecompressionStream of its own. Only the page's JavaScript
// build travels packed, and only a browser that cannot run the WebAssembly
// unpacks it, so this is written to be small and plain rather than fast:
// each Huffman code is read a bit at a time. Damaged data throws rather
// than handing on bytes that were never packed. The page carries this as
// text after its module and runs it only when it is needed.

// Where each length and distance code starts, and how many extra bits
// follow it: the extra bits grow by one every four (lengths) or two
// (distances) codes, and each code starts where the one before it ends.
function bases(count, firstGrowing, step, first) {
  const base = new Uint16Array(count), extra = new Uint8Array(count);
  for (let code = 0, start = first; code < count; ++code) {
    extra[code] = code < firstGrowing ? 0 : Math.floor(code / step) - 1;
    base[code] = start;
    start += 1 << extra[code];
  }
  return { base, extra };
}
const LENGTHS = bases(29, 8, 4, 3);
LENGTHS.base[28] = 258;  // the longest match has a code of its own
LENGTHS.extra[28] = 0;
const DISTANCES = bases(30, 4, 2, 1);
// The order in which a dynamic block lists its code lengths' code lengths.
const ORDER = [16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15];

// A canonical Huffman code from each symbol's code length: how many codes
// each length has, and the symbols in code order.
function huffman(lengths) {
  const count = new Uint16Array(16), symbol = new Uint16Array(lengths.length);
  for (const length of lengths) ++count[length];
  count[0] = 0;
  let left = 1;
  for (let length = 1; length < 16; ++length) {
    left = 2 * left - count[length];
    if (left < 0) throw new Error("a Huffman code with more codes than it has room for");
  }
  const offset = new Uint16Array(16);
  for (let length = 1; length < 15; ++length) offset[length + 1] = offset[length] + count[length];
  lengths.forEach((length, value) => {
    if (length) symbol[offset[length]++] = value;
  });
  return { count, symbol };
}

function fixedCodes() {
  const lengths = new Uint8Array(288);
  lengths.fill(8, 0, 144).fill(9, 144, 256).fill(7, 256, 280).fill(8, 280);
  return { literals: huffman(lengths), distances: huffman(new Uint8Array(30).fill(5)) };
}

export function inflate(packed) {
  const header = (packed[0] << 8) | packed[1];
  if (packed.length < 6 || (packed[0] & 15) !== 8 || header % 31 !== 0 || packed[1] & 32) {
    throw new Error("not zlib data this can unpack");
  }
  let position = 2, held = 0, heldBits = 0;
  let out = new Uint8Array(4 * packed.length), size = 0;

  function bits(count) {
    while (heldBits < count) {
      if (position >= packed.length) throw new Error("the packed data ends early");
      held |= packed[position++] << heldBits;
      heldBits += 8;
    }
    const value = held & ((1 << count) - 1);
    held >>>= count;
    heldBits -= count;
    return value;
  }
  function decode({ count, symbol }) {
    for (let length = 1, code = 0, first = 0, index = 0; length < 16; ++length) {
      code |= bits(1);
      if (code < first + count[length]) return symbol[index + code - first];
      index += count[length];
      first = (first + count[length]) << 1;
      code <<= 1;
    }
    throw new Error("a code no Huffman table has");
  }
  function room(more) {
    if (size + more <= out.length) return;
    const larger = new Uint8Array(Math.max(2 * out.length, size + more));
    larger.set(out.subarray(0, size));
    out = larger;
  }
  function stored() {
    held = heldBits = 0;  // the rest of the current byte is padding
    if (position + 4 > packed.length) throw new Error("the packed data ends early");
    const length = packed[position] | (packed[position + 1] << 8);
    if ((length ^ 0xffff) !== (packed[position + 2] | (packed[position + 3] << 8))) {
      throw new Error("a stored block whose length does not check");
    }
    position += 4;
    if (position + length > packed.length) throw new Error("the packed data ends early");
    room(length);
    out.set(packed.subarray(position, position + length), size);
    position += length;
    size += length;
  }
  function dynamicCodes() {
    const literalCount = bits(5) + 257, distanceCount = bits(5) + 1, lengthCount = bits(4) + 4;
    const lengthLengths = new Uint8Array(19);
    for (let index = 0; index < lengthCount; ++index) lengthLengths[ORDER[index]] = bits(3);
    const lengthCode = huffman(lengthLengths);
    const lengths = new Uint8Array(literalCount + distanceCount);
    for (let index = 0; index < lengths.length;) {
      const symbol = decode(lengthCode);
      if (symbol < 16) {
        lengths[index++] = symbol;
        continue;
      }
      // 16 repeats the length before, 17 and 18 write runs of zeros.
      if (symbol === 16 && index === 0) throw new Error("a repeat with nothing before it");
      const [repeat, value] = symbol === 16 ? [3 + bits(2), lengths[index - 1]]
          : symbol === 17 ? [3 + bits(3), 0] : [11 + bits(7), 0];
      if (index + repeat > lengths.length) throw new Error("code lengths past the end");
      lengths.fill(value, index, index + repeat);
      index += repeat;
    }
    if (!lengths[256]) throw new Error("a block that cannot end");
    return { literals: huffman(lengths.subarray(0, literalCount)),
             distances: huffman(lengths.subarray(literalCount)) };
  }
  function compressed({ literals, distances }) {
    for (;;) {
      const symbol = decode(literals);
      if (symbol < 256) {
        room(1);
        out[size++] = symbol;
      } else if (symbol === 256) {
        return;
      } else {
        const code = symbol - 257;
        if (code >= 29) throw new Error("a length code out of range");
        const length = LENGTHS.base[code] + bits(LENGTHS.extra[code]);
        const distanceCode = decode(distances);
        if (distanceCode >= 30) throw new Error("a distance code out of range");
        const distance = DISTANCES.base[distanceCode] + bits(DISTANCES.extra[distanceCode]);
        if (distance > size) throw new Error("a distance back past the start");
        room(length);
        // Byte by byte: a match may overlap the bytes it writes.
        for (let index = 0; index < length; ++index, ++size) out[size] = out[size - distance];
      }
    }
  }

  for (let last = 0; !last;) {
    last = bits(1);
    const type = bits(2);
    if (type === 0) stored();
    else if (type === 1) compressed(fixedCodes());
    else if (type === 2) compressed(dynamicCodes());
    else throw new Error("a block of an unknown type");
  }
  // Adler-32 of what was unpacked, big-endian, after the last whole byte.
  if (position + 4 > packed.length) throw new Error("the packed data ends early");
  let a = 1, b = 0;
  for (let index = 0; index < size; ++index) {
    a = (a + out[index]) % 65521;
    b = (b + a) % 65521;
  }
  const stated = ((packed[position] << 24) | (packed[position + 1] << 16) |
                  (packed[position + 2] << 8) | packed[position + 3]) >>> 0;
  if (stated !== ((b << 16) | a) >>> 0) throw new Error("the unpacked data does not check");
  return out.subarray(0, size);
}
