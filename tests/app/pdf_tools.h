#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace klu::test {

// What the poppler tools read from a printed PDF.

inline std::string RunPdfTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString() << " did not finish";
    EXPECT_EQ(process.exitCode(), 0)
        << program.toStdString() << ": " << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput().toStdString();
}

// pdfinfo's "Name: value" line, or "" without one.
inline std::string PdfInfoField(const std::string& path, const std::string& name) {
    const QString info =
        QString::fromStdString(RunPdfTool("pdfinfo", {QString::fromStdString(path)}));
    const QRegularExpression field(
        "^" + QRegularExpression::escape(QString::fromStdString(name)) + ":\\s*(.*)$",
        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = field.match(info);
    return match.hasMatch() ? match.captured(1).trimmed().toStdString() : std::string();
}

inline int PdfPageCount(const std::string& path) {
    const std::string pages = PdfInfoField(path, "Pages");
    return pages.empty() ? -1 : std::stoi(pages);
}

// The text of pages first to last (from 1; 0 for all), in reading order.
inline std::string PdfText(const std::string& path, int first = 0, int last = 0) {
    QStringList arguments;
    if (first > 0) arguments << "-f" << QString::number(first);
    if (last > 0) arguments << "-l" << QString::number(last);
    arguments << QString::fromStdString(path) << "-";
    return RunPdfTool("pdftotext", arguments);
}

struct PdfImage {
    int page = 0;
    int width = 0;  // image pixels
    int height = 0;
    int xPpi = 0;  // image pixels per inch as placed on the page
    int yPpi = 0;
};

// The images placed on the pages, from pdfimages -list.
inline std::vector<PdfImage> PdfImages(const std::string& path) {
    const QString list =
        QString::fromStdString(RunPdfTool("pdfimages", {"-list", QString::fromStdString(path)}));
    std::vector<PdfImage> images;
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    for (const QString& line : list.split('\n')) {
        const QStringList f = line.simplified().split(' ');
        if (f.size() < 14 || f[0] == "page" || f[0].startsWith("---")) continue;
        if (f[2] != "image") continue;  // soft masks are listed too
        images.push_back({f[0].toInt(), f[3].toInt(), f[4].toInt(), f[12].toInt(), f[13].toInt()});
    }
    return images;
}

}  // namespace klu::test
