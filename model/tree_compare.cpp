#include "tree_compare.h"

#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "file_range.h"
#include "filler_hunks.h"
#include "hint_document.h"
#include "info_hunk.h"
#include "link_hunk.h"
#include "media_hunks.h"
#include "meta_text_hunk.h"
#include "text_hunk.h"

namespace klu {
namespace {

// Where each hunk stands: entry, then child indexes.
using Places = std::map<const THunk*, std::string>;

void Place(const THunk& hunk, const std::string& where, Places& places) {
    places[&hunk] = where;
    if (const auto* items = dynamic_cast<const TItemsHunk*>(&hunk)) {
        for (size_t i = 0; i < items->children.size(); ++i) {
            if (const THunk* child = items->children[i]->AsHunk())
                Place(*child, where + " > child " + std::to_string(i), places);
        }
    }
}

Places PlacesOf(const THintDocument& document) {
    Places places;
    for (size_t i = 0; i < document.Count(); ++i) {
        if (const THunk* hunk = document.Entry(i)->AsHunk())
            Place(*hunk, "entry " + std::to_string(i), places);
    }
    return places;
}

const std::string kInMemory = "(in memory)";

struct Side {
    const THintDocument& document;
    const std::string& file;  // where the data is read from, unless
    std::optional<std::string_view> bytes;  // the file's bytes are at hand
    Places places;
};

bool ReadData(const Side& side, const DataRange& range, std::vector<char>& bytes) {
    if (!side.bytes)
        return ReadFileRange(side.file, range.dataOffset, range.dataLength, bytes).Ok();
    const auto size = static_cast<int64_t>(side.bytes->size());
    if (range.dataOffset < 0 || range.dataLength < 0 || range.dataOffset > size ||
        range.dataLength > size - range.dataOffset) {
        return false;
    }
    const auto start = side.bytes->begin() + range.dataOffset;
    bytes.assign(start, start + range.dataLength);
    return true;
}

// A running hash of values in order, each value hashed apart so that no two sequences of them
// run together into the same bytes.
class Digest {
  public:
    template <typename T>
    void Add(const T& value) {
        if constexpr (std::is_arithmetic_v<T> || std::is_enum_v<T>) {
            char bytes[sizeof value];
            std::memcpy(bytes, &value, sizeof value);
            Fold(std::string_view(bytes, sizeof bytes));
        } else if constexpr (std::is_arithmetic_v<typename T::value_type>) {
            Fold(std::string_view(reinterpret_cast<const char*>(value.data()),
                                  value.size() * sizeof(value[0])));
        } else {
            Add(value.size());
            for (const auto& item : value)
                Add(item);
        }
    }
    template <typename T, typename U>
    void Add(const std::pair<T, U>& value) {
        Add(value.first);
        Add(value.second);
    }
    TreeFingerprint Value() const { return {high_, low_}; }

  private:
    void Fold(std::string_view bytes) {
        const uint64_t hash = std::hash<std::string_view>{}(bytes);
        high_ = (high_ ^ hash) * 0x9E3779B97F4A7C15u + bytes.size();
        low_ = ((low_ << 7 | low_ >> 57) ^ hash) * 0xC2B2AE3D27D4EB4Fu;
    }
    uint64_t high_ = 0x6A09E667F3BCC908u;
    uint64_t low_ = 0xBB67AE8584CAA73Bu;
};

// Walks two trees side by side and tells their first difference; or, with a digest, walks one
// tree given as both sides and folds every value it would compare into the digest.
class Comparison {
  public:
    Comparison(const Side& a, const Side& b, Digest* digest = nullptr)
        : a_(a), b_(b), digest_(digest) {}
    std::string Run();

  private:
    void Object(const TKLUObject& a, const TKLUObject& b, const std::string& where);
    void Hunk(const THunk& a, const THunk& b, const std::string& where);
    void Data(const DataRange& a, const DataRange& b, const std::string& where);
    template <typename T>
    void Same(const T& a, const T& b, const std::string& where, const char* what) {
        if (digest_) {
            digest_->Add(a);
        } else if (difference_.empty() && !(a == b)) {
            difference_ = where + ": the " + what + " differ";
        }
    }
    std::string PlaceOf(const THunk* hunk, const Side& side) const {
        if (!hunk) return "nothing";
        const auto it = side.places.find(hunk);
        return it == side.places.end() ? "elsewhere" : it->second;
    }

    const Side& a_;
    const Side& b_;
    Digest* digest_;
    std::string difference_;
};

void Comparison::Data(const DataRange& a, const DataRange& b, const std::string& where) {
    std::vector<char> a_bytes, b_bytes;
    const bool a_read = ReadData(a_, a, a_bytes);
    const bool b_read = digest_ ? a_read : ReadData(b_, b, b_bytes);  // a digest reads one side
    Same(a_read, b_read, where, "readable data");
    Same(a_bytes, b_bytes, where, "data bytes");
}

void Comparison::Hunk(const THunk& a, const THunk& b, const std::string& where) {
    switch (a.GetType()) {
        case LINK:
            Same(PlaceOf(static_cast<const TLinkHunk&>(a).Target(), a_),
                 PlaceOf(static_cast<const TLinkHunk&>(b).Target(), b_), where, "link targets");
            break;
        case GIFA:
        case SOUND:
            Data(dynamic_cast<const DataRange&>(a), dynamic_cast<const DataRange&>(b), where);
            break;
        case OVERLAY: {
            const auto& oa = static_cast<const TOverlayHunk&>(a);
            const auto& ob = static_cast<const TOverlayHunk&>(b);
            Same(std::make_pair(oa.x, oa.y), std::make_pair(ob.x, ob.y), where, "overlay places");
            Data(oa, ob, where);
            break;
        }
        case PNGOBJECT: {
            const auto& pa = static_cast<const TPNGObject&>(a);
            const auto& pb = static_cast<const TPNGObject&>(b);
            Same(pa.regions.size(), pb.regions.size(), where, "region counts");
            for (size_t i = 0; i < pa.regions.size() && i < pb.regions.size(); ++i) {
                const Rect& ra = pa.regions[i];
                const Rect& rb = pb.regions[i];
                Same(std::vector{ra.left, ra.top, ra.right, ra.bottom},
                     std::vector{rb.left, rb.top, rb.right, rb.bottom}, where, "regions");
                Same(PlaceOf(ra.target, a_), PlaceOf(rb.target, b_), where, "region targets");
            }
            Data(pa, pb, where);
            break;
        }
        case TEXT:
            Same(static_cast<const TTextHunk&>(a).flags, static_cast<const TTextHunk&>(b).flags,
                 where, "text flags");
            break;
        case INCENTIVE:
            Same(static_cast<const TIncentiveHunk&>(a).storedLines,
                 static_cast<const TIncentiveHunk&>(b).storedLines, where, "incentive lines");
            break;
        case UNKNOWN: {
            const auto* ua = dynamic_cast<const TUnknownHunk*>(&a);
            const auto* ub = dynamic_cast<const TUnknownHunk*>(&b);
            Same(ua ? ua->keyword : "", ub ? ub->keyword : "", where, "keywords");
            break;
        }
        default:
            break;
    }
    const auto* ia = dynamic_cast<const TItemsHunk*>(&a);
    const auto* ib = dynamic_cast<const TItemsHunk*>(&b);
    if (!ia || !ib) return;
    Same(ia->children.size(), ib->children.size(), where, "numbers of children");
    for (size_t i = 0; i < ia->children.size() && i < ib->children.size(); ++i)
        Object(*ia->children[i], *ib->children[i], where + " > child " + std::to_string(i));
}

void Comparison::Object(const TKLUObject& a, const TKLUObject& b, const std::string& where) {
    if (!difference_.empty()) return;
    Same(a.IsHunk(), b.IsHunk(), where, "kinds (line or hunk)");
    Same(a.GetType(), b.GetType(), where, "kinds");
    Same(a.GetName(), b.GetName(), where, a.IsHunk() ? "titles" : "texts");
    Same(FlagLetters(a), FlagLetters(b), where, "layout flags");
    if (difference_.empty() && a.IsHunk())
        Hunk(static_cast<const THunk&>(a), static_cast<const THunk&>(b), where);
}

std::string Comparison::Run() {
    Same(a_.document.Count(), b_.document.Count(), "the file", "numbers of entries");
    for (size_t i = 0; i < a_.document.Count() && i < b_.document.Count(); ++i)
        Object(*a_.document.Entry(i), *b_.document.Entry(i), "entry " + std::to_string(i));
    return difference_;
}

}  // namespace

std::string TreeDifference(const THintDocument& a, const std::string& a_file,
                           const THintDocument& b, const std::string& b_file) {
    const Side a_side{a, a_file, {}, PlacesOf(a)};
    const Side b_side{b, b_file, {}, PlacesOf(b)};
    return Comparison(a_side, b_side).Run();
}

std::string TreeDifferenceFromBytes(const THintDocument& a, const std::string& a_file,
                                    const THintDocument& b, std::string_view b_bytes) {
    const Side a_side{a, a_file, {}, PlacesOf(a)};
    const Side b_side{b, kInMemory, b_bytes, PlacesOf(b)};
    return Comparison(a_side, b_side).Run();
}

TreeFingerprint FingerprintOf(const THintDocument& document, const std::string& file) {
    const Side side{document, file, {}, PlacesOf(document)};
    Digest digest;
    Comparison(side, side, &digest).Run();
    return digest.Value();
}

TreeFingerprint FingerprintOfBytes(const THintDocument& document, std::string_view bytes) {
    const Side side{document, kInMemory, bytes, PlacesOf(document)};
    Digest digest;
    Comparison(side, side, &digest).Run();
    return digest.Value();
}

}  // namespace klu
