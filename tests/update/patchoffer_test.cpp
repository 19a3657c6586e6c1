// The update description as the maker's server could send it: this product's
// section, its recommendations and what the user is offered.
#include "update/patchoffer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string BUILD = "2019_12_01";
const std::string SECTION_START = "<product class=\"Zeperon_12\" key=\"308\">";

std::string Recommendation(const std::string& attributes, const std::string& body)
{
    return "<recommendation" + attributes + ">" + body + "</recommendation>\n";
}

std::string File(const std::string& recommendations)
{
    return "<?xml version=\"1.0\"?>\n<patches>\n<product class=\"Zeperon_12\" key=\"307\">"
        + Recommendation(" update_number=\"99\"", "<english>other key</english>") + "</product>\n" + SECTION_START
        + "\n" + recommendations + "</product>\n</patches>\n";
}

std::string Body(const std::string& name)
{
    return "<english>" + name + " en</english><czech>" + name + " cz</czech><web>http://example.com/" + name
        + "</web><web_cz>http://example.cz/" + name + "</web_cz><download>http://example.com/" + name
        + "_setup.exe</download>";
}

struct OfferCase {
    const char* name;
    std::string file;
    int lang = 0;
    int updateNumber = -1;
    // Expected: the number, the text, web and download; number -1 means no offer.
    int number = -1;
    std::string text = {};
    std::string web = {};
    std::string download = {};
    bool rich = false;
};

std::string Long(char c, size_t n)
{
    return std::string(n, c);
}

} // namespace

TEST(PatchOffer, ChoosesTheApplicableRecommendationAndWordsIt)
{
    const std::string a300 = "http://example.com/" + Long('a', 281);
    const OfferCase cases[] = {
        { "5 then 7",
            File(Recommendation(" update_number=\"5\"", Body("five"))
                + Recommendation(" update_number=\"7\"", Body("seven"))),
            0, -1, 7, "seven en", "http://example.com/seven", "http://example.com/seven_setup.exe" },
        { "7 then 5",
            File(Recommendation(" update_number=\"7\"", Body("seven"))
                + Recommendation(" update_number=\"5\"", Body("five"))),
            0, -1, 7, "seven en", "http://example.com/seven", "http://example.com/seven_setup.exe" },
        { "7 not yet applicable",
            File(Recommendation(" update_number=\"7\" from=\"2020_01_01\"", Body("seven"))
                + Recommendation(" update_number=\"5\"", Body("five"))),
            0, -1, 5, "five en", "http://example.com/five", "http://example.com/five_setup.exe" },
        { "declined 5",
            File(Recommendation(" update_number=\"7\" from=\"2020_01_01\"", Body("seven"))
                + Recommendation(" update_number=\"5\"", Body("five"))),
            0, 5 },
        { "declined 4",
            File(Recommendation(" update_number=\"7\" from=\"2020_01_01\"", Body("seven"))
                + Recommendation(" update_number=\"5\"", Body("five"))),
            0, 4, 5, "five en", "http://example.com/five", "http://example.com/five_setup.exe" },
        { "to equal to the build date", File(Recommendation(" update_number=\"3\" to=\"2019_12_01\"", Body("x"))), 0,
            -1 },
        { "from equal to the build date",
            File(Recommendation(" from=\"2019_12_01\" update_number=\"3\" to=\"2019_12_02\"", Body("x"))), 0, -1, 3,
            "x en", "http://example.com/x", "http://example.com/x_setup.exe" },
        { "from cut to 11 characters", File(Recommendation(" update_number=\"3\" from=\"2019_12_01_late\"", Body("x"))),
            0, -1 },
        { "equal numbers: the first",
            File(Recommendation(" update_number=\"4\"", Body("first"))
                + Recommendation(" update_number=\"4\"", Body("second"))),
            0, -1, 4, "first en", "http://example.com/first", "http://example.com/first_setup.exe" },
        { "no update_number is 0", File(Recommendation("", "<english>zero</english>")), 0, -1, 0, "zero" },
        { "number 0 declined before", File(Recommendation("", "<english>zero</english>")), 0, 0 },
        { "Czech", File(Recommendation(" update_number=\"2\"", Body("two"))), 2, -1, 2, "two cz",
            "http://example.cz/two", "http://example.com/two_setup.exe" },
        { "Czech without czech and web_cz",
            File(Recommendation(" update_number=\"2\"", "<english>two</english><web>http://example.com/w</web>")), 2,
            -1, 2, "two", "http://example.com/w" },
        { "German reads English", File(Recommendation(" update_number=\"2\"", Body("two"))), 1, -1, 2, "two en",
            "http://example.com/two", "http://example.com/two_setup.exe" },
        { "no text: the default",
            File(Recommendation(" update_number=\"010\"", "<download>https://example.com/p.zip</download>")), 0, -1, 8,
            "Morvanta patch Zeperon_12 Key=308 Ver=8", "", "https://example.com/p.zip" },
        { "hexadecimal number", File(Recommendation(" update_number=\"0x10\"", "")), 0, -1, 16,
            "Morvanta patch Zeperon_12 Key=308 Ver=16" },
        { "number beyond int reads 0", File(Recommendation(" update_number=\"99999999999\"", "")), 0, -1, 0,
            "Morvanta patch Zeperon_12 Key=308 Ver=0" },
        { "RTF text", File(Recommendation(" update_number=\"1\"", "<english>Note: {\\rtf1 {\\b new}}</english>")), 0,
            -1, 1, "Note: {\\rtf1 {\\b new}}", "", "", true },
        { "plain text with braces", File(Recommendation(" update_number=\"1\"", "<english>{rtf1} {\\b}</english>")), 0,
            -1, 1, "{rtf1} {\\b}" },
        { "open english without its end",
            File(Recommendation(" update_number=\"1\"", "<english>lost<web>http://e.com/</web>")), 0, -1, 1,
            "Morvanta patch Zeperon_12 Key=308 Ver=1", "http://e.com/" },
        { "end tag only after the recommendation",
            File(Recommendation(" update_number=\"1\"", "<web>http://e.com/") + "</web>"), 0, -1, 1,
            "Morvanta patch Zeperon_12 Key=308 Ver=1" },
        { "address cut to 249", File(Recommendation(" update_number=\"1\"", "<web>" + a300 + "</web>")), 0, -1, 1,
            "Morvanta patch Zeperon_12 Key=308 Ver=1", a300.substr(0, 249) },
        { "addresses that are no web pages",
            File(Recommendation(" update_number=\"1\"", "<web>file:///bin/sh</web><download>C:\\setup.exe</download>")),
            0, -1, 1, "Morvanta patch Zeperon_12 Key=308 Ver=1" },
        { "address with a blank", File(Recommendation(" update_number=\"1\"", "<web>http://e.com/a b</web>")), 0, -1, 1,
            "Morvanta patch Zeperon_12 Key=308 Ver=1" },
        { "a NUL ends the text",
            File(Recommendation(" update_number=\"1\"", std::string("<english>a\0b</english>", 21))), 0, -1 },
        { "recommendation without its end", File("<recommendation update_number=\"1\"><english>x</english>"), 0, -1 },
        { "no section end", SECTION_START + Recommendation(" update_number=\"1\"", Body("x")), 0, -1 },
        { "other key only",
            "<product class=\"Zeperon_12\" key=\"307\">" + Recommendation(" update_number=\"1\"", Body("x"))
                + "</product>",
            0, -1 },
        // The wrapper reads as a recommendation numbered 0 whose body runs to
        // the first real end tag, so the first inner one is never seen alone.
        { "recommendations wrapper",
            File("<recommendations>" + Recommendation(" update_number=\"5\"", Body("five"))
                + Recommendation(" update_number=\"3\"", Body("three")) + "</recommendations>"),
            0, -1, 3, "three en", "http://example.com/three", "http://example.com/three_setup.exe" },
        { "wrapper around one",
            File("<recommendations>" + Recommendation(" update_number=\"5\"", Body("five")) + "</recommendations>"), 0,
            -1, 0, "five en", "http://example.com/five", "http://example.com/five_setup.exe" },
    };
    for (const OfferCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<PatchOffer> offer = ChoosePatchOffer(c.file, BUILD, c.lang, c.updateNumber);
        if (c.number < 0) {
            EXPECT_FALSE(offer);
            continue;
        }
        ASSERT_TRUE(offer);
        EXPECT_EQ(offer->number, c.number);
        EXPECT_EQ(offer->text, c.text);
        EXPECT_EQ(offer->web, c.web);
        EXPECT_EQ(offer->download, c.download);
        EXPECT_EQ(offer->rich, c.rich);
    }
}

TEST(PatchOffer, FindTagAcceptsOnlyOccurrencesStartingBeforeTheEnd)
{
    const char* text = "ab<x>cd</x>";
    EXPECT_EQ(FindTag(nullptr, nullptr, "<x>", false), nullptr);
    EXPECT_EQ(FindTag(text, nullptr, "<x>", false), text + 2);
    EXPECT_EQ(FindTag(text, nullptr, "<x>", true), text + 5);
    EXPECT_EQ(FindTag(text, text + 3, "<x>", false), text + 2) << "starts before the end, runs past it";
    EXPECT_EQ(FindTag(text, text + 2, "<x>", false), nullptr);
    EXPECT_EQ(FindTag(text, nullptr, "<y>", false), nullptr);
}
