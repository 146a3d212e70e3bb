// The application's printer: the order of its steps around the print dialog, the pages it
// prints, the job's name, a page range, another printer chosen in the dialog, cancelling, and a
// printer that cannot start.
#include <gtest/gtest.h>

#include <QPageSize>
#include <QPrinter>
#include <string>
#include <vector>

#include "../model/temp_folder.h"
#include "../views_qt/pdf_tools.h"
#include "app/my_printer.h"
#include "fake_user_dialogs.h"
#include "model/meta_text_hunk.h"
#include "views/hunk_printout.h"

namespace klu {
namespace {

// Answers the print dialog as the user would who also picked other paper or a page range.
class ChoosingDialogs : public test::FakeUserDialogs {
  public:
    bool AskPrint(QPrinter& printer, int page_count) override {
        if (!FakeUserDialogs::AskPrint(printer, page_count)) return false;
        if (paper) printer.setPageSize(QPageSize(*paper));
        if (firstPage > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(firstPage, lastPage);
        }
        return true;
    }

    std::optional<QPageSize::PageSizeId> paper;
    int firstPage = 0;
    int lastPage = 0;
};

class MyPrinterTest : public ::testing::Test {
  protected:
    MyPrinterTest() : hunk("Walkthrough", nullptr, SUBJECT) {
        settings.mainFont = {"DejaVu Sans", 12, 400, false};
        settings.fixedFont = FixedFontOf(settings.mainFont);
        for (int i = 0; i < 150; ++i) {
            auto* line = new THunkLine("Step " + std::to_string(i), &hunk);
            line->hardBreak = 1;
            hunk.children.push_back(line);
        }
        printer.Printer().setPageSize(QPageSize(QPageSize::Letter));
        dialogs.printFile = folder / "out.pdf";
    }

    // The number of pages of the hunk on fresh paper of the size.
    int PagesOn(QPageSize::PageSizeId paper) {
        QPrinter other(QPrinter::HighResolution);
        other.setOutputFormat(QPrinter::PdfFormat);
        other.setPageSize(QPageSize(paper));
        THunkPrintout fresh(hunk, static_cast<int>(hunk.GetChildCount()), settings);
        return fresh.GetDialogInfo(other);
    }

    test::TempFolder folder;
    Settings settings;
    TMetaTextHunk hunk;
    ChoosingDialogs dialogs;
    TMyPrinter printer;
};

TEST_F(MyPrinterTest, PrintsEveryPageAfterAskingWithTheirNumber) {
    THunkPrintout printout(hunk, static_cast<int>(hunk.GetChildCount()), settings);
    ASSERT_TRUE(printer.Print(dialogs, printout));
    const int pages = printout.PageCount();
    ASSERT_GT(pages, 2);
    EXPECT_EQ(dialogs.printRequests, std::vector<int>{pages});
    EXPECT_TRUE(dialogs.messages.empty());
    const std::string file = dialogs.printFile;
    EXPECT_EQ(test::PdfPageCount(file), pages);
    EXPECT_EQ(test::PdfInfoField(file, "Title"), "KLU: Walkthrough");
    const std::string last = test::PdfText(file, pages, pages);
    EXPECT_NE(last.find("Step 149"), std::string::npos) << last;
    EXPECT_NE(last.find("Page " + std::to_string(pages) + " of " + std::to_string(pages)),
              std::string::npos)
        << last;
}

TEST_F(MyPrinterTest, PrintsOnlyTheChosenPageRange) {
    dialogs.firstPage = 2;
    dialogs.lastPage = 3;
    THunkPrintout printout(hunk, static_cast<int>(hunk.GetChildCount()), settings);
    ASSERT_TRUE(printer.Print(dialogs, printout));
    const std::string file = dialogs.printFile;
    ASSERT_EQ(test::PdfPageCount(file), 2);
    const std::string of = " of " + std::to_string(printout.PageCount());
    EXPECT_NE(test::PdfText(file, 1, 1).find("Page 2" + of), std::string::npos);
    EXPECT_NE(test::PdfText(file, 2, 2).find("Page 3" + of), std::string::npos);
    EXPECT_EQ(test::PdfText(file).find("Step 0\n"), std::string::npos);
}

TEST_F(MyPrinterTest, ARangePastTheEndStopsAtTheLastPage) {
    dialogs.firstPage = 2;
    dialogs.lastPage = 999;
    THunkPrintout printout(hunk, static_cast<int>(hunk.GetChildCount()), settings);
    ASSERT_TRUE(printer.Print(dialogs, printout));
    EXPECT_EQ(test::PdfPageCount(dialogs.printFile), printout.PageCount() - 1);
}

TEST_F(MyPrinterTest, OtherPaperChosenInTheDialogGetsNewPages) {
    const int on_letter = PagesOn(QPageSize::Letter);
    const int on_a6 = PagesOn(QPageSize::A6);
    ASSERT_GT(on_a6, on_letter);
    dialogs.paper = QPageSize::A6;
    THunkPrintout printout(hunk, static_cast<int>(hunk.GetChildCount()), settings);
    ASSERT_TRUE(printer.Print(dialogs, printout));
    EXPECT_EQ(dialogs.printRequests, std::vector<int>{on_letter});
    EXPECT_EQ(test::PdfPageCount(dialogs.printFile), on_a6);
    const std::string text = test::PdfText(dialogs.printFile);
    EXPECT_NE(text.find("Page " + std::to_string(on_a6) + " of " + std::to_string(on_a6)),
              std::string::npos);
}

TEST_F(MyPrinterTest, ACancelledDialogPrintsNothing) {
    dialogs.printFile.clear();
    THunkPrintout printout(hunk, static_cast<int>(hunk.GetChildCount()), settings);
    EXPECT_FALSE(printer.Print(dialogs, printout));
    EXPECT_EQ(dialogs.printRequests.size(), 1u);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(folder.EntryCount(), 0u);
}

TEST_F(MyPrinterTest, APrinterThatCannotStartIsReported) {
    dialogs.printFile = folder / "missing/folder/out.pdf";
    THunkPrintout printout(hunk, static_cast<int>(hunk.GetChildCount()), settings);
    EXPECT_FALSE(printer.Print(dialogs, printout));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const test::FakeUserDialogs::Message& message = dialogs.messages[0];
    EXPECT_EQ(message.title, "Print");
    EXPECT_EQ(message.icon, MessageIcon::Stop);
    EXPECT_EQ(message.buttons, MessageButtons::Ok);
    EXPECT_NE(message.text.find(dialogs.printFile), std::string::npos) << message.text;
}

TEST_F(MyPrinterTest, SetupShowsThePrinterSetupDialog) {
    EXPECT_TRUE(printer.Setup(dialogs));
    dialogs.setupAnswer = false;
    EXPECT_FALSE(printer.Setup(dialogs));
    EXPECT_EQ(dialogs.printerSetups, 2);
}

}  // namespace
}  // namespace klu
