#pragma once

#include <QRegularExpression>
#include <QString>
#include <vector>

#include "linux_tool.h"

// One word of a PDF as pdftotext -bbox gives it: its page (from 1) and its box in points.
struct PdfWord {
    int page;
    double x, y;
    QString text;
    double right = 0;
};

inline std::vector<PdfWord> pdfWords(const QString& pdf) {
    const QString html = linux_tool::run("pdftotext", {"-bbox", pdf, "-"});
    std::vector<PdfWord> words;
    int page = 0;
    static const QRegularExpression tag(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)"[^>]*>([^<]*)</word>)re");
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith("<page")) {
            ++page;
            continue;
        }
        QString text = m.captured(4);
        text.replace("&apos;", "'").replace("&quot;", "\"").replace("&lt;", "<");
        text.replace("&gt;", ">").replace("&amp;", "&");
        words.push_back({page, m.captured(1).toDouble(), m.captured(2).toDouble(), text,
                         m.captured(3).toDouble()});
    }
    return words;
}
