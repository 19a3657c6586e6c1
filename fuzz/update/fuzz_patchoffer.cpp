// Reads the input as the update description the server sent, in each
// interface language and against a declined number; an offer never holds
// more than the input gave it.
#include "update/patchoffer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (int lang = 0; lang < 3; ++lang) {
        for (int declined : { -1, 5 }) {
            std::optional<PatchOffer> offer = ChoosePatchOffer(text, "2019_12_01", lang, declined);
            if (!offer)
                continue;
            if (offer->number <= declined || offer->web.size() > PATCH_ADDRESS_MAX
                || offer->download.size() > PATCH_ADDRESS_MAX)
                std::abort();
            if ((!offer->web.empty() && !IsWebAddress(offer->web))
                || (!offer->download.empty() && !IsWebAddress(offer->download)))
                std::abort();
            if (offer->text.size() > size && offer->text.rfind("Morvanta patch ", 0) != 0)
                std::abort();
        }
    }
    return 0;
}
