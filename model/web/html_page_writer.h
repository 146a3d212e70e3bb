#pragma once

#include <deque>
#include <iosfwd>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/web/page_cipher.h"

namespace klu {

class KLUObject;
class Hunk;
class LineIndex;
class LinkHunk;
class MetaTextHunk;
class PNGObject;
struct DataRange;
struct Rect;
struct PixelSize;

// Writes the body of the web page: the file's title, the contents, the tree as sections, and
// questions whose hints lie enciphered in the page. Pictures and media are written by
// html_page_media.cpp.
class PageWriter {
  public:
    // data_path: the file whose data area holds the pictures, sounds and GIFs.
    PageWriter(Hunk& root, std::string data_path);

    // Writes the body to sink, without its opening tag, as it goes: a large file's page is never
    // whole in memory. info is the file's information hunk, if any.
    void WriteBody(std::ostream& sink, Hunk* info);
    const PageCipher& Cipher() const { return cipher_; }
    // A name for the page's local storage, known once the body is written: the file's title and
    // every question with its number of hints, so that another file's page does not take over
    // its reveals.
    uint64_t Identity() const { return identity_; }

  private:
    using Objects = std::span<KLUObject* const>;

    void IndexPlaces(Hunk& hunk);
    void AppendNumber(std::string& out, const Hunk& hunk) const;
    // The id of the element that shows a hunk, appended to out or given.
    void AppendId(std::string& out, const Hunk* hunk);
    std::string IdOf(const Hunk* hunk);
    // Hands what the body holds so far to the sink once it is large; out is the body or the
    // text of a hint, which stays whole until it is enciphered.
    void Spill(std::string& out);
    Hunk* LinkTarget(const LinkHunk& link);
    void OpenSection(std::string& out, const Hunk& hunk, const char* kind, int level);
    void WriteHeading(std::string& out, const Hunk& hunk, int level) const;
    void WriteContents(std::string& out, const Hunk& hunk, bool top);
    void WriteObjects(std::string& out, Objects objects, int level);
    void WriteHunk(std::string& out, Hunk& hunk, int level);
    void WriteLink(std::string& out, const LinkHunk& link);
    void WriteQuestion(std::string& out, MetaTextHunk& question, int level);

    // In html_page_media.cpp.
    void WritePicture(std::string& out, PNGObject& picture, int level);
    // Gives the overlay's id, or "" when the region leads to no overlay that can be shown.
    std::string WriteOverlay(std::string& out, const Rect& region, PixelSize size,
                             const PNGObject& picture);
    // place: the spot's place in reading order, counted from 1, which names a spot whose
    // target has no name.
    void WriteSpot(std::string& out, const Rect& region, PixelSize size, const Hunk& picture,
                   const std::string& overlay_id, size_t place);
    void WriteMedia(std::string& out, const DataRange& data, const char* type, const Hunk& hunk);
    // Gives nothing when the data was read, else the note to show in its place.
    const char* ReadData(const DataRange& data, std::string& bytes);
    // Takes length bytes of what the page may still take from the data area, if there is room.
    bool TakeData(uint64_t length);

    static constexpr const char* kLeftOutNote =
        "This part is left out: the hint file uses its data too many times.";

    Hunk& root_;
    const LineIndex& lines_;  // where links lead, in the tree below root_
    std::string data_path_;
    uint64_t data_left_ = 0;  // the bytes of pictures, sounds, GIFs and texts it may still take
    PageCipher cipher_;
    uint64_t identity_ = kFnvBasis;
    int questions_ = 0;
    std::unordered_map<const Hunk*, uint32_t> ids_;
    std::unordered_map<const Hunk*, uint32_t> places_;  // among siblings, counted from 1
    std::ostream* sink_ = nullptr;
    std::string body_;
    std::deque<std::vector<std::string>> hint_buffers_;  // by depth of questions in hints
    size_t hint_depth_ = 0;
};

}  // namespace klu
