// The pictures of the web page, with their hot spots and overlays, and the GIFs and sounds: all
// inline, as data: URIs.
#include <algorithm>
#include <cstdio>
#include <numeric>
#include <optional>
#include <tuple>
#include <vector>

#include "model/text/base64.h"
#include "model/files/file_range.h"
#include "model/web/html_page_writer.h"
#include "model/web/html_text.h"
#include "model/document/link_hunk.h"
#include "model/document/media_hunks.h"

namespace klu {

struct PixelSize {
    int32_t width = 0;
    int32_t height = 0;
};

namespace {

constexpr const char* kUnreadableNote = "This part of the hint file could not be read.";

void AppendNote(std::string& out, const char* note) {
    out += "<p class=\"note\">";
    out += note;
    out += "</p>";
}

// The size a PNG's header gives, or nothing for data that is no PNG.
std::optional<PixelSize> PngSize(std::string_view png) {
    constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";
    if (png.size() < 24 || !png.starts_with(kSignature) || png.substr(12, 4) != "IHDR")
        return std::nullopt;
    auto number = [&png](size_t at) {
        uint32_t value = 0;
        for (size_t i = at; i < at + 4; ++i)
            value = value << 8 | static_cast<unsigned char>(png[i]);
        return value;
    };
    const uint32_t width = number(16), height = number(20);
    if (width == 0 || height == 0 || width > 1u << 20 || height > 1u << 20) return std::nullopt;
    return PixelSize{static_cast<int32_t>(width), static_cast<int32_t>(height)};
}

// "left:12.5%;" and so on: hot spots and overlays are placed in shares of the picture, so they
// stay on their spot when a narrow screen scales the picture down.
void AppendPercent(std::string& out, const char* property, int64_t part, int32_t whole) {
    char text[48];
    std::snprintf(text, sizeof text, "%s:%.3f%%;", property,
                  100.0 * static_cast<double>(part) / whole);
    out += text;
}

}  // namespace

void PageWriter::WritePicture(std::string& out, PNGObject& picture, int level) {
    std::string png;
    const char* note = ReadData(picture, png);
    const std::optional<PixelSize> size = note ? std::nullopt : PngSize(png);
    if (!size) {
        AppendNote(out, note ? note : kUnreadableNote);
    } else {
        out += "<figure><div class=\"picture\" style=\"width:";
        out += std::to_string(size->width);
        out += "px\"><img alt=\"";
        // A picture hunk's object carries a stock title; the hunk's own names the picture.
        const bool in_picture_hunk = picture.parent && picture.parent->GetType() == HYPERPNG;
        AppendHtmlText(out, in_picture_hunk ? picture.parent->GetName() : picture.GetName());
        out += "\" src=\"data:image/png;base64,";
        AppendBase64(out, png);
        out += "\">";
        // Every overlay comes before every spot, so that a painted overlay never covers a spot.
        const std::vector<Rect>& regions = picture.regions;
        std::vector<std::string> overlay_ids;
        for (const Rect& region : regions)
            overlay_ids.push_back(WriteOverlay(out, region, *size, picture));
        // The spots in reading order, top to bottom and left to right: the order Tab takes.
        std::vector<size_t> order(regions.size());
        std::iota(order.begin(), order.end(), size_t{0});
        std::stable_sort(order.begin(), order.end(), [&regions](size_t a, size_t b) {
            return std::tie(regions[a].top, regions[a].left) <
                   std::tie(regions[b].top, regions[b].left);
        });
        for (size_t place = 0; place < order.size(); ++place) {
            const size_t index = order[place];
            WriteSpot(out, regions[index], *size, picture, overlay_ids[index], place + 1);
        }
        out += "</div></figure>";
    }
    // What the hot spots lead to, other than overlays and links, follows the picture.
    for (KLUObject* child : picture.children) {
        Hunk* hunk = child->AsHunk();
        if (hunk && hunk->GetType() != OVERLAY && hunk->GetType() != LINK)
            WriteHunk(out, *hunk, level);
    }
}

// An overlay is in the page from the start, hidden, and its hot spot shows it.
std::string PageWriter::WriteOverlay(std::string& out, const Rect& region, PixelSize size,
                                     const PNGObject& picture) {
    const auto* overlay = dynamic_cast<const OverlayHunk*>(region.target);
    std::string png;
    if (!overlay || ReadData(*overlay, png)) return {};
    const std::optional<PixelSize> overlay_size = PngSize(png);
    if (!overlay_size) return {};
    std::string id = IdOf(&picture) + "o" + std::to_string(&region - picture.regions.data());
    out += "<img class=\"overlay\" hidden alt=\"\" id=\"" + id + "\" style=\"";
    AppendPercent(out, "left", overlay->x, size.width);
    AppendPercent(out, "top", overlay->y, size.height);
    AppendPercent(out, "width", overlay_size->width, size.width);
    out += "\" src=\"data:image/png;base64,";
    AppendBase64(out, png);
    out += "\">";
    return id;
}

void PageWriter::WriteSpot(std::string& out, const Rect& region, PixelSize size,
                           const Hunk& picture, const std::string& overlay_id, size_t place) {
    const Hunk* target = region.target;
    if (target && target->GetType() == LINK)
        target = LinkTarget(static_cast<const LinkHunk&>(*target));
    out += "<a class=\"spot\" href=\"#";
    out += overlay_id.empty() && target ? IdOf(target) : IdOf(&picture);
    out += '"';
    if (!overlay_id.empty()) out += " data-overlay=\"" + overlay_id + '"';
    // Every spot can take the focus, so each needs a name, even when what it opens has none.
    out += " aria-label=\"";
    const std::string name = region.target ? region.target->GetName() : std::string();
    if (name.empty())
        out += "Hot spot " + std::to_string(place);
    else
        AppendHtmlText(out, name);
    out += "\" style=\"";
    // A spot reaches no further than the picture's edges; corners anywhere in 32 bits, so their
    // differences are taken in 64.
    const int64_t left = std::clamp<int64_t>(region.left, 0, size.width);
    const int64_t top = std::clamp<int64_t>(region.top, 0, size.height);
    const int64_t right = std::clamp<int64_t>(region.right, left, size.width);
    const int64_t bottom = std::clamp<int64_t>(region.bottom, top, size.height);
    AppendPercent(out, "left", left, size.width);
    AppendPercent(out, "top", top, size.height);
    AppendPercent(out, "width", right - left, size.width);
    AppendPercent(out, "height", bottom - top, size.height);
    out += "\"></a>";
}

void PageWriter::WriteMedia(std::string& out, const DataRange& data, const char* type,
                            const Hunk& hunk) {
    std::string bytes;
    if (const char* note = ReadData(data, bytes)) {
        AppendNote(out, note);
        return;
    }
    const bool sound = std::string_view(type).starts_with("audio");
    if (sound) {
        out += "<audio controls preload=\"none\" aria-label=\"";
    } else {
        out += "<figure><img style=\"max-width:100%\" alt=\"";
    }
    AppendHtmlText(out, hunk.GetName());
    out += "\" src=\"data:";
    out += type;
    out += ";base64,";
    AppendBase64(out, bytes);
    out += sound ? "\"></audio>" : "\"></figure>";
}

const char* PageWriter::ReadData(const DataRange& data, std::string& bytes) {
    if (!TakeData(data.dataLength > 0 ? static_cast<uint64_t>(data.dataLength) : 0))
        return kLeftOutNote;
    std::vector<char> read;
    if (!ReadFileRange(data_path_, data.dataOffset, data.dataLength, read).Ok())
        return kUnreadableNote;
    bytes.assign(read.begin(), read.end());
    return nullptr;
}

// Hunks may share their data: the page takes no more than a few times the file's size of it,
// or many hunks of one large picture would make a page many times the file's size.
bool PageWriter::TakeData(uint64_t length) {
    if (length > data_left_) return false;
    data_left_ -= length;
    return true;
}

}  // namespace klu
