#pragma once

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <memory>
#include <string>

#include "../model/temp_folder.h"
#include "model/media_hunks.h"
#include "model/meta_text_hunk.h"
#include "model/settings.h"
#include "views/hunk_printout.h"

namespace klu::test {

// The bytes of a PNG picture of the size, in one colour.
inline std::string PngBytes(int width, int height, QColor color = Qt::darkGreen) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

// Decodes pictures from the bytes of the file they were loaded from; a null image for data that
// is no PNG. The bytes must outlive the source.
inline THunkPrintout::PictureSource PicturesOf(const std::string& file) {
    return [&file](const TPNGObject& picture) {
        QImage image;
        if (picture.dataOffset >= 0 && picture.dataLength > 0 &&
            static_cast<size_t>(picture.End()) <= file.size()) {
            image.loadFromData(reinterpret_cast<const uchar*>(file.data()) + picture.dataOffset,
                               static_cast<int>(picture.dataLength), "PNG");
        }
        return image;
    };
}

// Printing to PDF files of a temporary folder, from a subject of lines built by the test.
class PrintFixture : public ::testing::Test {
  protected:
    PrintFixture() : root("Long story", nullptr, SUBJECT) {
        settings.mainFont = {"DejaVu Sans", 10, 400, false};
        settings.fixedFont = FixedFontOf(settings.mainFont);
        settings.linkColor = 0xFF0000;  // blue
    }

    std::string Path(const std::string& name) const { return folder.path() + "/" + name; }

    // A printer that writes the PDF file: paper of the size at the resolution, with an
    // unprintable margin of margin_inches all round.
    std::unique_ptr<QPrinter> PdfPrinter(const std::string& name, int resolution = 600,
                                         QPageSize::PageSizeId paper = QPageSize::Letter,
                                         double margin_inches = 0.25) const {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(Path(name)));
        printer->setResolution(resolution);
        printer->setPageSize(QPageSize(paper));
        const QMarginsF margins(margin_inches, margin_inches, margin_inches, margin_inches);
        EXPECT_TRUE(printer->setPageMargins(margins, QPageLayout::Inch));
        return printer;
    }

    // Prints every page in the order the application's printer does.
    static void PrintAll(THunkPrintout& printout, QPrinter& printer) {
        printout.GetDialogInfo(printer);
        printout.SetPrintParams(printer);
        QPainter painter;
        ASSERT_TRUE(painter.begin(&printer));
        for (int page = 1; printout.HasPage(page); ++page) {
            if (page > 1) {
                ASSERT_TRUE(printer.newPage());
            }
            printout.PrintPage(painter, page);
        }
        ASSERT_TRUE(painter.end());
    }

    TKLUObject* AddLine(std::string text, bool hard_break = true) {
        auto* line = new THunkLine(std::move(text), &root);
        line->hardBreak = hard_break;
        line->endsSourceLine = 1;
        root.children.push_back(line);
        return line;
    }
    // Lines "Line 0", "Line 1", ... each ending its line.
    void AddLines(int count) {
        for (int i = 0; i < count; ++i)
            AddLine("Line " + std::to_string(i));
    }
    int AllChildren() const { return static_cast<int>(root.GetChildCount()); }

    TempFolder folder;
    Settings settings;
    TMetaTextHunk root;
};

}  // namespace klu::test
