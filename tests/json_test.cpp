// The JSON the page parses: every value in its place, commas only between
// siblings, and any text, the game's own included, escaped so that the
// page reads back exactly the bytes the record holds.
#include "web/json.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using web::Json;

TEST(JsonWriter, SeparatesSiblingsButNeverTheFirstOfAnObjectOrArray) {
  Json json;
  json.Open('{')
      .Field("name", "Option1")
      .Field("index", -1)
      .Flag("enabled", false)
      .Key("container")
      .Null()
      .Key("empty")
      .Open('[')
      .Close(']')
      .Key("items")
      .Open('[')
      .String("1")
      .Open('{')
      .Close('}')
      .Number(0)
      .Close(']')
      .Flag("visible", true)
      .Close('}');
  EXPECT_EQ(json.Take(),
            R"({"name":"Option1","index":-1,"enabled":false,"container":null,"empty":[],)"
            R"("items":["1",{},0],"visible":true})");
}

TEST(JsonWriter, ArraysOfObjectsAndNumbersAtTheLimits) {
  Json json;
  json.Open('[').Open('{').Field("a", 1).Close('}').Open('{').Field("b", 2).Close('}');
  json.Number(9223372036854775807LL).Number(-9223372036854775807LL - 1).Close(']');
  EXPECT_EQ(json.Take(), R"([{"a":1},{"b":2},9223372036854775807,-9223372036854775808])");
}

TEST(JsonWriter, EscapesQuotesBackslashesAndEveryControlCharacter) {
  Json json;
  json.String("\"\\/\r\n\t");
  json.String(std::string("a\0b\x1F\x7F", 5));
  EXPECT_EQ(json.Take(), R"("\"\\/\u000d\u000a\u0009","a\u0000b\u001f)"
                         "\x7F\"");
}

TEST(JsonWriter, PassesUtf8ThroughByteForByte) {
  Json json;
  json.Open('[').String("Зелка!").String("Джакпот! 1/8 → 1/3").Close(']');
  EXPECT_EQ(json.Take(), "[\"Зелка!\",\"Джакпот! 1/8 → 1/3\"]");
}

}  // namespace
