#pragma once
// The update description file the maker's server keeps for every product:
// plain 8-bit text searched by substrings, no XML parser. This program reads
// its own section (<product class="Zeperon_12" key="308">), picks the
// recommendation that applies to this build and words the offer.

#include <optional>
#include <string>
#include <string_view>

// The file is fetched from this path of the maker's web server.
inline constexpr const char* PATCH_INFO_PATH = "/old/patch.xml";
// A longer answer is no description file: the request counts as failed.
inline constexpr size_t PATCH_INFO_MAX_SIZE = 10'000'000;
// A from or to date is at most this long, an address at most this long.
inline constexpr size_t PATCH_DATE_MAX = 11;
inline constexpr size_t PATCH_ADDRESS_MAX = 249;

// The first occurrence of `tag` in the zero-terminated `text`, accepted only
// when there is no `end` or it starts before `end`: its start, or the position
// just after it with `after`. Null when `text` is null or nothing is accepted.
const char* FindTag(const char* text, const char* end, const char* tag, bool after);

struct PatchOffer {
    std::string text; // 8-bit text of the offer
    bool rich = false; // the text is RTF
    std::string web; // empty, or an absolute http:// or https:// address
    std::string download; // likewise
    int number = -1; // the recommendation's update number
};

// The section of this product, the recommendation with the highest update
// number among those applying to `buildDate` ("%i_%02i_%02i"), worded for the
// language (2 Czech, anything else English). Nothing when there is no such
// recommendation or the user declined this number (`updateNumber`) before.
// The buffer is read up to its first zero byte.
std::optional<PatchOffer> ChoosePatchOffer(
    std::string_view buffer, const std::string& buildDate, int langIndex, int updateNumber);

// The shell may open only web addresses: an address is kept when it starts
// with http:// or https:// and has no blank or control character.
bool IsWebAddress(std::string_view address);
