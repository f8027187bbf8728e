// Counts heap allocations made by the whole program, so that a benchmark can
// report how many a call made. Linking allocation_counter.cpp replaces the
// global operator new.
#pragma once

namespace bench {

long Allocations();

}  // namespace bench
