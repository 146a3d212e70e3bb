#include "model/export/reveal_texts.h"

#include <cstdio>

namespace klu {

std::string CountedHintText(int32_t shown, int32_t count) {
    char text[64];
    std::snprintf(text, sizeof text, kCountedHintFormat, shown, count);
    return text;
}

}  // namespace klu
