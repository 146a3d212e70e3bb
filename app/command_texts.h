#pragma once

namespace klu {

// The messages and titles of the file, listing and help commands.
inline constexpr char kNoInformationText[] =
    "This KLU file does not contain an information block.  See the \"About this KLU File\" "
    "section of the file, if one exists, for information about this file.";
inline constexpr char kFileInformationTitle[] = "File Information";
inline constexpr char kFindTitle[] = "Find Text";
inline constexpr char kFindPrompt[] = "Enter search phrase (it is not case-sensitive)";
inline constexpr int kFindPhraseLimit = 254;
inline constexpr char kNoHelpFileText[] = "Unable to locate help file.";
inline constexpr char kNoHelpFileToPrintText[] = "Unable to locate help file";
inline constexpr char kHelpIndexTitle[] = "Help File Index";
inline constexpr char kZipHelpTitle[] = "Unzipping ZIP Files";
inline constexpr char kHelpPrintTitle[] = "KLUWIN Documentation";
inline constexpr char kWebSiteFailureText[] =
    "This program was unable to find your web browser or was unable to establish an Internet "
    "connection.  To reach the KLU web site manually, you should start your web browser and "
    "enter the address ";
inline constexpr char kWebSiteFailureTitle[] = "Error connecting to KLU web site";
inline constexpr char kListFolderPrompt[] =
    "The \"Verbose Listing\" command will list files stored in the folder that you select below.";
inline constexpr char kTextFileFilter[] = "Text Files (*.TXT)|*.TXT|All Files (*.*)|*.*";
inline constexpr char kWebPageFilter[] = "Web Pages (*.HTML)|*.HTML|All Files (*.*)|*.*";
inline constexpr char kPictureFileFilter[] =
    "PNG Files (*.PNG)|*.PNG|Windows Bitmap Files (*.BMP)|*.BMP|All Files (*.*)|*.*";
inline constexpr char kGifFileFilter[] = "Compuserve GIF Files (*.GIF)|*.GIF|All Files (*.*)|*.*";
inline constexpr char kCannotWriteText[] = "The file could not be written: ";

}  // namespace klu
