#include "gif_save.h"

#include "file_filter.h"
#include "model/file_range.h"
#include "model/media_hunks.h"
#include "model/windows1252.h"
#include "picture_source.h"
#include "save_target.h"

namespace klu {

std::string GifSaveQuestion(const std::string& web_address) {
    const std::string newer =
        web_address.empty()
            ? std::string()
            : "A new version of this hint file which does not use the GIF format and whose "
              "graphics can be displayed with this reader is available at " +
                  web_address + ".  ";
    return "The KLU readers can no longer show pictures stored in the GIF format, due to recent "
           "changes in the legal status of that format.  " +
           newer +
           "You may also save this image to be viewed with another program.  Do you wish "
           "to save?";
}

void OfferGifSave(UserDialogs& dialogs, const AppState& state, const TGIFaHunk& gif,
                  const std::string& web_address) {
    if (dialogs.ShowMessage(GifSaveQuestion(web_address), Windows1252ToUtf8(gif.GetName()),
                            MessageIcon::Question,
                            MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    const std::optional<std::string> target =
        AskSaveTarget(dialogs, state, DialogFilterOf(kGifFileFilter), "gif", SaveMode::Replace);
    if (!target) return;
    const RangeResult result =
        CopyFileRange(PictureFileOf(state, gif), gif.dataOffset, gif.dataLength, *target);
    if (!result.Ok())
        dialogs.ShowMessage("The picture was not saved.  " + result.message, "Error",
                            MessageIcon::Stop, MessageButtons::Ok);
}

}  // namespace klu
