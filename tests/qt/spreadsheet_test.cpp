#include "qt/spreadsheet_file.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <map>
#include <set>

#include "classroom/class_csv.h"
#include "classroom/class_scan.h"
#include "classroom/parts_list.h"

namespace {

// A cell as LibreOffice Calc reads it back: its type, its value and its text.
struct ReadCell {
    QString type, value, text, style;
};

// What Calc makes of a spreadsheet file, from its own flat OpenDocument.
struct ReadBack {
    std::vector<std::vector<ReadCell>> rows;
    std::vector<QString> columnStyles;
    std::set<QString> boldStyles;
    std::map<QString, double> columnWidths;  // style, cm
    QString filterRange;
};

// The file opened by LibreOffice Calc and saved again as flat XML, then read; the reason when
// Calc cannot be run here.
std::optional<ReadBack> readWithCalc(const QString& file, std::string* why) {
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty()) {
        *why = "LibreOffice Calc (soffice) n'est pas installé";
        return std::nullopt;
    }
    QTemporaryDir work;
    QProcess calc;
    calc.start(soffice, {"-env:UserInstallation=file://" + work.filePath("profil"), "--headless",
                         "--convert-to", "fods", "--outdir", work.path(), file});
    if (!calc.waitForFinished(120000)) {
        *why = "soffice ne répond pas";
        return std::nullopt;
    }
    QFile flat(work.filePath(QFileInfo(file).completeBaseName() + ".fods"));
    if (!flat.open(QIODevice::ReadOnly)) {
        *why = "soffice n'a rien écrit : " + calc.readAllStandardError().toStdString();
        return std::nullopt;
    }
    ReadBack back;
    QXmlStreamReader xml(&flat);
    QString style;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        const auto attr = [&](const char* name) { return xml.attributes().value(name).toString(); };
        const QStringView name = xml.qualifiedName();
        if (name == u"style:style") {
            style = attr("style:name");
        } else if (name == u"style:text-properties" && attr("fo:font-weight") == "bold") {
            back.boldStyles.insert(style);
        } else if (name == u"style:table-column-properties") {
            QString width = attr("style:column-width");
            const double perUnit = width.endsWith("in") ? 2.54 : width.endsWith("mm") ? 0.1 : 1;
            width.chop(2);
            back.columnWidths[style] = width.toDouble() * perUnit;
        } else if (name == u"table:table-column") {
            const int repeated = std::max(1, attr("table:number-columns-repeated").toInt());
            for (int i = 0; i < repeated; ++i)
                back.columnStyles.push_back(attr("table:style-name"));
        } else if (name == u"table:table-row") {
            back.rows.emplace_back();
        } else if (name == u"table:table-cell") {
            ReadCell cell{
                attr("office:value-type"), attr("office:value"), {}, attr("table:style-name")};
            if (cell.type == "date") cell.value = attr("office:date-value");
            const int repeated = std::max(1, attr("table:number-columns-repeated").toInt());
            QString text;
            // The text of the cell: its paragraphs and spans.
            while (!(xml.isEndElement() && xml.qualifiedName() == u"table:table-cell") &&
                   !xml.atEnd()) {
                xml.readNext();
                if (xml.isCharacters()) text += xml.text();
                if (xml.isEndElement() && xml.qualifiedName() == u"table:table-cell") break;
                if (xml.isStartElement() && xml.qualifiedName() == u"table:table-cell") break;
            }
            cell.text = text.trimmed();  // Calc indents its flat XML
            for (int i = 0; i < std::min(repeated, 64); ++i) back.rows.back().push_back(cell);
        } else if (name == u"table:database-range" &&
                   attr("table:display-filter-buttons") == "true") {
            back.filterRange = attr("table:target-range-address");
        }
    }
    // Calc writes trailing empty rows and cells; they say nothing.
    for (auto& row : back.rows)
        while (!row.empty() && row.back().type.isEmpty() && row.back().text.isEmpty())
            row.pop_back();
    while (!back.rows.empty() && back.rows.back().empty()) back.rows.pop_back();
    return back;
}

// A part of a zip archive, read with libzip.
std::string partOf(const std::string& archive, const char* name) {
    zip_error_t error;
    zip_source_t* source = zip_source_buffer_create(archive.data(), archive.size(), 0, &error);
    zip_t* zip = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!zip) {
        zip_source_free(source);
        return {};
    }
    std::string bytes;
    zip_stat_t stat;
    if (zip_stat(zip, name, 0, &stat) == 0) {
        zip_file_t* file = zip_fopen(zip, name, 0);
        bytes.resize(stat.size);
        if (file && zip_fread(file, bytes.data(), stat.size) != zip_int64_t(stat.size))
            bytes.clear();
        if (file) zip_fclose(file);
    }
    zip_close(zip);
    return bytes;
}

// One design of the supplied Data, scanned as the class view scans it.
std::vector<DesignRow> oneScannedDesign(const QTemporaryDir& folder) {
    QFile file(folder.filePath("lea.ventakar"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"format": "ventakar-conception", "version": 1,
      "pupil": {"name": "0012", "class": "=1+1"}, "choices": {
      "propeller": {"text": "Hélice bipale 100 mm", "index": 0},
      "motor": {"text": "Moteur RE-140", "index": 0}}})");
    file.close();
    return scanClass(folder.path().toStdString(), ",").rows;
}

// Texts stay texts whatever they look like, numbers are numbers, amounts keep two decimals,
// dates are dates; the heading row is bold and frozen, with its filter; the columns follow their
// heading's width. Both kinds of file, as Calc reads them.
TEST(Spreadsheet, CalcReadsEveryCellWithItsTypeAndValue) {
    QTemporaryDir folder;
    const std::vector<DesignRow> scanned = oneScannedDesign(folder);
    ASSERT_EQ(scanned.size(), 1u);
    std::vector<const DesignRow*> rows{&scanned[0]};
    TeacherTable table = classTable(rows, {"1 fichier non lu : ferme/ (droits d'accès)"});
    // Texts a spreadsheet would turn into numbers or formulas, and our own figures beside them.
    table.rows.push_back(
        {"007", "1E5", "-Léa-", "+33 6", "@x",
         CsvCell::number("2026-12-08 14:05", "2026-12-08 14:05", CsvCell::Kind::Date), "",
         CsvCell::number("0,5", "0.5"), CsvCell::number("1,20", "1.20", CsvCell::Kind::Money)});

    struct Kind {
        const char* name;
        const char* extension;
        SpreadsheetKind kind;
    };
    for (const Kind& k : {Kind{"OpenDocument", "ods", SpreadsheetKind::OpenDocument},
                          Kind{"OfficeOpenXml", "xlsx", SpreadsheetKind::OfficeOpenXml}}) {
        SCOPED_TRACE(k.name);
        SpreadsheetKind named{};
        ASSERT_TRUE(spreadsheetKindOf(std::string("Classe.") + k.extension, &named));
        EXPECT_EQ(named, k.kind);
        QTemporaryDir out;
        const QString path = out.filePath(QString("classe.") + k.extension);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const std::string bytes = spreadsheetBytes(table, "Classe", k.kind);
        file.write(bytes.data(), qint64(bytes.size()));
        file.close();
        std::string why;
        const std::optional<ReadBack> back = readWithCalc(path, &why);
        if (!back) GTEST_SKIP() << why;
        ASSERT_GE(back->rows.size(), 5u);

        const std::vector<ReadCell>& heading = back->rows[0];
        ASSERT_EQ(heading.size(), classColumns().size());
        for (std::size_t c = 0; c < heading.size(); ++c) {
            EXPECT_EQ(heading[c].text.toStdString(), classColumns()[classColumnOrder()[c]]);
            EXPECT_TRUE(back->boldStyles.count(heading[c].style)) << "heading " << c << " bold";
        }
        // A view setting, which Calc keeps only in a window: judged in the file itself.
        const std::string view = k.kind == SpreadsheetKind::OpenDocument
                                     ? partOf(bytes, "settings.xml")
                                     : partOf(bytes, "xl/worksheets/sheet1.xml");
        EXPECT_NE(
            view.find(
                k.kind == SpreadsheetKind::OpenDocument
                    ? R"(config:name="VerticalSplitMode" config:type="short">2<)"
                    : R"(ySplit="1" topLeftCell="A2" activePane="bottomLeft" state="frozen")"),
            std::string::npos)
            << view;
        EXPECT_TRUE(QString(back->filterRange).remove('$').endsWith(".S3"))
            << back->filterRange.toStdString();
        ASSERT_GE(back->columnStyles.size(), 13u);
        const auto width = [&](int c) { return back->columnWidths.at(back->columnStyles[c]); };
        EXPECT_GT(width(12), width(1)) << "« Avec toutes les batteries » wider than « Classe »";
        EXPECT_GT(width(12), 4.0);

        const std::vector<ReadCell>& design = back->rows[1];
        const struct {
            int column;
            const char* type;
            QString value;  // for numbers and dates
            QString text;   // as shown
        } cells[] = {
            {0, "string", "", "0012"},
            {1, "string", "", "=1+1"},
            {2, "string", "", "Incomplète"},
            {4, "float", QString::number(*scanned[0].mass), ""},
            {5, "float", "", ""},
            {6, "string", "", "lea.ventakar"},
            {7, "date", scanned[0].savedAt.substr(0, 10).c_str(), ""},
            {8, "float", "2", "2"},
        };
        for (const auto& c : cells) {
            SCOPED_TRACE(c.column);
            ASSERT_LT(c.column, int(design.size()));
            EXPECT_EQ(design[c.column].type, c.type);
            if (!c.value.isEmpty()) {
                EXPECT_TRUE(design[c.column].value.startsWith(c.value))
                    << design[c.column].value.toStdString();
            }
            if (!c.text.isEmpty()) {
                EXPECT_EQ(design[c.column].text, c.text);
            }
        }
        const QRegularExpression twoDecimals(R"(^\d+[.,]\d\d$)");
        EXPECT_TRUE(twoDecimals.match(design[5].text).hasMatch()) << design[5].text.toStdString();
        const std::vector<ReadCell>& odd = back->rows[2];
        ASSERT_GE(odd.size(), 9u);
        const QStringList texts = {"007", "1E5", "-Léa-", "+33 6", "@x"};
        for (int c = 0; c < texts.size(); ++c) {
            EXPECT_EQ(odd[c].type, "string") << c;
            EXPECT_EQ(odd[c].text, texts[c]) << "no apostrophe, nothing turned into a number";
        }
        EXPECT_EQ(odd[5].type, "date");
        EXPECT_EQ(odd[5].value, "2026-12-08T14:05:00");
        EXPECT_EQ(odd[5].text, "2026-12-08 14:05");
        EXPECT_EQ(odd[6].type, "");
        EXPECT_EQ(odd[7].value, "0.5");
        EXPECT_EQ(odd[8].value, "1.2");
        EXPECT_TRUE(twoDecimals.match(odd[8].text).hasMatch()) << odd[8].text.toStdString();
        // The note under the table, after an empty row.
        EXPECT_TRUE(back->rows[3].empty());
        EXPECT_EQ(back->rows[4][0].text, "1 fichier non lu : ferme/ (droits d'accès)");
    }
}

}  // namespace
