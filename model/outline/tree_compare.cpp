#include "model/outline/tree_compare.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <optional>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/files/file_range_reader.h"
#include "model/document/filler_hunks.h"
#include "model/document/hint_document.h"
#include "model/document/info_hunk.h"
#include "model/document/link_hunk.h"
#include "model/document/media_hunks.h"
#include "model/document/meta_text_hunk.h"
#include "model/document/text_hunk.h"

namespace klu {
namespace {

// Where an object stands: an entry, then child indexes. It becomes text only for the message of
// a difference.
struct Where {
    const Where* parent = nullptr;  // none for an entry
    size_t index = 0;               // of the entry, or of the child in its parent
};

std::string WhereText(const Where* where) {
    if (!where) return "the file";
    if (!where->parent) return "entry " + std::to_string(where->index);
    return WhereText(where->parent) + " > child " + std::to_string(where->index);
}

// Where each hunk stands, as a chain of steps.
struct Places {
    static constexpr size_t kNone = static_cast<size_t>(-1);
    struct Step {
        size_t parent;  // kNone for an entry
        size_t index;
    };
    std::vector<Step> steps;
    // Each hunk with the last step of its place, by hunk once Sort has run; a hunk placed twice
    // keeps its last place.
    std::vector<std::pair<const Hunk*, size_t>> last_steps;

    void Sort() {
        std::stable_sort(last_steps.begin(), last_steps.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    }
    // The last step of the hunk's place, or kNone when it has none.
    size_t LastStep(const Hunk* hunk) const {
        auto it = std::upper_bound(last_steps.begin(), last_steps.end(), hunk,
                                   [](const Hunk* h, const auto& entry) { return h < entry.first; });
        return it == last_steps.begin() || (--it)->first != hunk ? kNone : it->second;
    }

    // Whether place a of these and place b of other are the same: the same steps from the entry.
    bool Same(size_t a, const Places& other, size_t b) const {
        while (a != kNone && b != kNone) {
            if (steps[a].index != other.steps[b].index) return false;
            a = steps[a].parent;
            b = other.steps[b].parent;
        }
        return a == b;
    }
    // The child indexes of place a from its entry, last first.
    std::vector<size_t> Path(size_t a) const {
        std::vector<size_t> path;
        for (; a != kNone; a = steps[a].parent)
            path.push_back(steps[a].index);
        return path;
    }
};

void Place(const Hunk& hunk, size_t parent, size_t index, Places& places) {
    const size_t step = places.steps.size();
    places.steps.push_back({parent, index});
    places.last_steps.emplace_back(&hunk, step);
    if (const auto* items = dynamic_cast<const ItemsHunk*>(&hunk)) {
        for (size_t i = 0; i < items->children.size(); ++i) {
            if (const Hunk* child = items->children[i]->AsHunk()) Place(*child, step, i, places);
        }
    }
}

Places PlacesOf(const HintDocument& document) {
    Places places;
    for (size_t i = 0; i < document.Count(); ++i) {
        if (const Hunk* hunk = document.Entry(i)->AsHunk()) Place(*hunk, Places::kNone, i, places);
    }
    places.Sort();
    return places;
}

// The layout flags, as FlagLetters lists them.
unsigned FlagBits(const KLUObject& object) {
    return object.hardBreak | object.isSeparator << 1 | object.wrap << 2 | object.altFont << 3 |
           object.endsSourceLine << 4;
}

struct Side {
    const HintDocument& document;
    const std::string& file;  // where the data is read from, unless
    std::optional<std::string_view> bytes;  // the file's bytes are at hand
    Places places;
};

const std::string kInMemory = "(in memory)";

bool ReadData(const Side& side, FileRangeReader& file, const DataRange& range,
              std::vector<char>& bytes) {
    if (!side.bytes) return file.Read(range.dataOffset, range.dataLength, bytes).Ok();
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
        : a_(a), b_(b), a_file_(a_.file), b_file_(b_.file), digest_(digest) {}
    std::string Run();

  private:
    void Object(const KLUObject& a, const KLUObject& b, const Where& where);
    void CompareHunks(const Hunk& a, const Hunk& b, const Where& where);
    void Data(const DataRange& a, const DataRange& b, const Where& where);
    template <typename T>
    void Same(const T& a, const T& b, const Where* where, const char* what) {
        if (digest_) {
            digest_->Add(a);
        } else if (difference_.empty() && !(a == b)) {
            difference_ = WhereText(where) + ": the " + what + " differ";
        }
    }
    // Whether targets a and b stand at the same place; a digest takes a's place.
    void SameTarget(const Hunk* a, const Hunk* b, const Where* where, const char* what) {
        if (!digest_) return Same(SamePlace(a, b), true, where, what);
        // Nowhere, outside the tree, or the path to it.
        const size_t step = a ? a_.places.LastStep(a) : Places::kNone;
        digest_->Add(!a ? 0 : step == Places::kNone ? 1 : 2);
        if (step != Places::kNone) digest_->Add(a_.places.Path(step));
    }
    // Whether a target of a and one of b stand at the same place: both nowhere, both outside
    // the trees, or both at the same place of their tree.
    bool SamePlace(const Hunk* a, const Hunk* b) const {
        if (!a || !b) return !a && !b;
        const size_t in_a = a_.places.LastStep(a);
        const size_t in_b = b_.places.LastStep(b);
        if (in_a == Places::kNone || in_b == Places::kNone) return in_a == in_b;
        return a_.places.Same(in_a, b_.places, in_b);
    }

    const Side& a_;
    const Side& b_;
    FileRangeReader a_file_, b_file_;  // of the sides' files
    Digest* digest_;
    std::string difference_;
};

void Comparison::Data(const DataRange& a, const DataRange& b, const Where& where) {
    std::vector<char> a_bytes, b_bytes;
    const bool a_read = ReadData(a_, a_file_, a, a_bytes);
    const bool b_read = digest_ ? a_read : ReadData(b_, b_file_, b, b_bytes);  // a digest reads a
    Same(a_read, b_read, &where, "readable data");
    Same(a_bytes, b_bytes, &where, "data bytes");
}

void Comparison::CompareHunks(const Hunk& a, const Hunk& b, const Where& where) {
    switch (a.GetType()) {
        case LINK:
            SameTarget(static_cast<const LinkHunk&>(a).Target(),
                       static_cast<const LinkHunk&>(b).Target(), &where, "link targets");
            break;
        case GIFA:
        case SOUND:
            Data(dynamic_cast<const DataRange&>(a), dynamic_cast<const DataRange&>(b), where);
            break;
        case OVERLAY: {
            const auto& oa = static_cast<const OverlayHunk&>(a);
            const auto& ob = static_cast<const OverlayHunk&>(b);
            Same(std::make_pair(oa.x, oa.y), std::make_pair(ob.x, ob.y), &where, "overlay places");
            Data(oa, ob, where);
            break;
        }
        case PNGOBJECT: {
            const auto& pa = static_cast<const PNGObject&>(a);
            const auto& pb = static_cast<const PNGObject&>(b);
            Same(pa.regions.size(), pb.regions.size(), &where, "region counts");
            for (size_t i = 0; i < pa.regions.size() && i < pb.regions.size(); ++i) {
                const Rect& ra = pa.regions[i];
                const Rect& rb = pb.regions[i];
                Same(std::array{ra.left, ra.top, ra.right, ra.bottom},
                     std::array{rb.left, rb.top, rb.right, rb.bottom}, &where, "regions");
                SameTarget(ra.target, rb.target, &where, "region targets");
            }
            Data(pa, pb, where);
            break;
        }
        case TEXT:
            Same(static_cast<const TextHunk&>(a).flags, static_cast<const TextHunk&>(b).flags,
                 &where, "text flags");
            break;
        case INCENTIVE:
            Same(static_cast<const IncentiveHunk&>(a).storedLines,
                 static_cast<const IncentiveHunk&>(b).storedLines, &where, "incentive lines");
            break;
        case UNKNOWN: {
            const auto* ua = dynamic_cast<const UnknownHunk*>(&a);
            const auto* ub = dynamic_cast<const UnknownHunk*>(&b);
            Same(ua ? ua->keyword : "", ub ? ub->keyword : "", &where, "keywords");
            break;
        }
        default:
            break;
    }
    const auto* ia = dynamic_cast<const ItemsHunk*>(&a);
    const auto* ib = dynamic_cast<const ItemsHunk*>(&b);
    if (!ia || !ib) return;
    Same(ia->children.size(), ib->children.size(), &where, "numbers of children");
    for (size_t i = 0; i < ia->children.size() && i < ib->children.size(); ++i)
        Object(*ia->children[i], *ib->children[i], Where{&where, i});
}

void Comparison::Object(const KLUObject& a, const KLUObject& b, const Where& where) {
    if (!difference_.empty()) return;
    Same(a.IsHunk(), b.IsHunk(), &where, "kinds (line or hunk)");
    Same(a.GetType(), b.GetType(), &where, "kinds");
    const char* names = a.IsHunk() ? "titles" : "texts";
    if (a.isNode || b.isNode) {
        Same(a.GetName(), b.GetName(), &where, names);
    } else {
        Same(a.title.view(), b.title.view(), &where, names);  // a line's name is its text
    }
    Same(FlagBits(a), FlagBits(b), &where, "layout flags");
    if (difference_.empty() && a.IsHunk())
        CompareHunks(static_cast<const Hunk&>(a), static_cast<const Hunk&>(b), where);
}

std::string Comparison::Run() {
    Same(a_.document.Count(), b_.document.Count(), nullptr, "numbers of entries");
    for (size_t i = 0; i < a_.document.Count() && i < b_.document.Count(); ++i)
        Object(*a_.document.Entry(i), *b_.document.Entry(i), Where{nullptr, i});
    return difference_;
}

}  // namespace

std::string TreeDifference(const HintDocument& a, const std::string& a_file,
                           const HintDocument& b, const std::string& b_file) {
    const Side a_side{a, a_file, {}, PlacesOf(a)};
    const Side b_side{b, b_file, {}, PlacesOf(b)};
    return Comparison(a_side, b_side).Run();
}

std::string TreeDifferenceFromBytes(const HintDocument& a, const std::string& a_file,
                                    const HintDocument& b, std::string_view b_bytes) {
    const Side a_side{a, a_file, {}, PlacesOf(a)};
    const Side b_side{b, kInMemory, b_bytes, PlacesOf(b)};
    return Comparison(a_side, b_side).Run();
}

namespace {

TreeFingerprint Fingerprint(const Side& side) {
    Digest digest;
    Comparison(side, side, &digest).Run();
    return digest.Value();
}

}  // namespace

TreeFingerprint FingerprintOf(const HintDocument& document, const std::string& file) {
    return Fingerprint({document, file, {}, PlacesOf(document)});
}

TreeFingerprint FingerprintOfBytes(const HintDocument& document, std::string_view bytes) {
    return Fingerprint({document, kInMemory, bytes, PlacesOf(document)});
}

}  // namespace klu
