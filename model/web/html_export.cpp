// The web page export: the page's head, style and script around the body PageWriter writes.
#include "model/web/html_export.h"

#include <ostream>

#include "model/document/hint_document.h"
#include "model/web/html_page_assets.h"
#include "model/web/html_page_writer.h"
#include "model/web/html_text.h"
#include "model/document/hunk.h"
#include "model/export/reveal_texts.h"

namespace klu {
namespace {

// Nothing may be fetched: the page's own style and script, and data: pictures and sounds only.
constexpr const char* kSecurityPolicy =
    "default-src 'none'; img-src data:; media-src data:; style-src 'unsafe-inline'; "
    "script-src 'unsafe-inline'";

std::string PageHead(const Hunk& root, const PageWriter& writer) {
    std::string head =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<meta name=\"color-scheme\" content=\"light dark\">\n"
        "<meta http-equiv=\"Content-Security-Policy\" content=\"";
    head += kSecurityPolicy;
    head += "\">\n<meta name=\"generator\" content=\"kluwin\">\n<title>";
    AppendHtmlText(head, root.GetName());
    head += "</title>\n<style>";
    head += kPageStyle;
    // What the script needs: the key and the button's texts. Where it keeps the reveals is
    // known only after the body, and goes on the script's element.
    head += "</style>\n</head>\n<body data-key=\"";
    writer.Cipher().AppendKey(head);
    head += "\" data-first=\"";
    AppendHtmlUtf8(head, kFirstHintText);
    head += "\" data-counted=\"";
    AppendHtmlUtf8(head, kCountedHintFormat);
    head += "\" data-last=\"";
    AppendHtmlUtf8(head, kNoMoreHintsText);
    head += "\">\n";
    return head;
}

}  // namespace

bool ExportHtml(const HintDocument& document, const std::string& data_path, std::ostream& out) {
    Hunk* root = document.GetRoot();
    if (!root) return false;
    PageWriter writer(*root, data_path);
    out << PageHead(*root, writer);
    writer.WriteBody(out, document.FindByType(INFO));
    std::string store = "kluwin-";
    AppendHex(store, writer.Identity(), 16);
    out << "\n<script data-store=\"" << store << "\">" << kPageScript
        << "</script>\n</body>\n</html>\n";
    return static_cast<bool>(out);
}

}  // namespace klu
