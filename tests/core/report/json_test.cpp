#include <gtest/gtest.h>

#include <limits>

#include "report/json.h"

using namespace yuedu::report;

TEST(Json, StringsStayValidJsonWhateverTheirBytes) {
    const struct {
        std::string bytes;
        std::string written;
    } cases[] = {
        {"story.txt", "\"story.txt\""},
        {"say \"hi\" \\", "\"say \\\"hi\\\" \\\\\""},
        {"a\tb\n\x01", "\"a\\u0009b\\u000a\\u0001\""},
        {"故事.txt", "\"故事.txt\""},
        {"\xF0\x9F\x98\x80", "\"\xF0\x9F\x98\x80\""},             // beyond the BMP, well formed
        {"\xAC\xEC.txt", "\"\\udcac\\udcec.txt\""},               // Big5 bytes of a file name
        {"\xE6\x95", "\"\\udce6\\udc95\""},                       // a sequence cut short
        {"\xC0\xAF", "\"\\udcc0\\udcaf\""},                       // an overlong slash
        {"\xED\xA0\x80", "\"\\udced\\udca0\\udc80\""},            // an encoded surrogate
        {"\xF4\x90\x80\x80", "\"\\udcf4\\udc90\\udc80\\udc80\""}, // past U+10FFFF
        {"\xFF", "\"\\udcff\""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(jsonString(c.bytes), c.written) << c.bytes;
    EXPECT_EQ(jsonString(std::u16string_view(u"故\"\U0001F600")), "\"故\\\"\xF0\x9F\x98\x80\"");
    EXPECT_EQ(jsonString(std::u16string(1, char16_t(0xD800)) + u"x"), "\"\\ud800x\"");
}

TEST(Json, ObjectsWriteNullForWhatIsNoNumber) {
    const struct {
        std::string number;
        std::string written;
    } cases[] = {
        {"0", "0"},      {"-0.25", "-0.25"}, {"1.5e+07", "1.5e+07"}, {"", "null"},
        {"nan", "null"}, {"inf", "null"},    {".5", "null"},         {"01", "null"},
        {"1.", "null"},  {"1e", "null"},     {"- 1", "null"},        {"0x10", "null"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(JsonObject().addNumber("n", c.number).line(), "{\"n\":" + c.written + "}\n")
            << c.number;
    EXPECT_EQ(JsonObject()
                  .add("file", std::string("a\xFF"))
                  .addNumber("x", 0.5)
                  .addNumber("y", std::numeric_limits<double>::quiet_NaN())
                  .addBool("ok", false)
                  .addNull("z")
                  .line(),
              "{\"file\":\"a\\udcff\",\"x\":0.5,\"y\":null,\"ok\":false,\"z\":null}\n");
    EXPECT_EQ(JsonObject().line(), "{}\n");
}
