#include "qt/spreadsheet_file.h"

#include <zip.h>

#include <QRegularExpression>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "catalogue/visible_text.h"
#include "classroom/class_csv.h"

namespace {

// The parts of a zip file, in order, the first one stored as it is.
struct ZipPart {
    std::string name;
    QByteArray bytes;
};

std::string zipped(const std::vector<ZipPart>& parts) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer) throw std::runtime_error(zip_error_strerror(&error));
    zip_source_keep(buffer);
    std::unique_ptr<zip_source_t, decltype(&zip_source_free)> keep(buffer, zip_source_free);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!archive) throw std::runtime_error(zip_error_strerror(&error));
    for (std::size_t i = 0; i < parts.size(); ++i) {
        zip_source_t* part =
            zip_source_buffer(archive, parts[i].bytes.constData(), parts[i].bytes.size(), 0);
        const zip_int64_t index =
            part ? zip_file_add(archive, parts[i].name.c_str(), part, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (part) zip_source_free(part);
            zip_discard(archive);
            throw std::runtime_error("zip : " + parts[i].name);
        }
        // The OpenDocument mimetype comes first, uncompressed, so that it can be read in place.
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                 i == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
        zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index), 0, 0);
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        throw std::runtime_error("zip");
    }
    std::string bytes;
    zip_stat_t stat;
    if (zip_source_open(buffer) != 0 || zip_source_stat(buffer, &stat) != 0)
        throw std::runtime_error("zip");
    bytes.resize(static_cast<std::size_t>(stat.size));
    const zip_int64_t read = zip_source_read(buffer, bytes.data(), stat.size);
    zip_source_close(buffer);
    if (read != static_cast<zip_int64_t>(stat.size)) throw std::runtime_error("zip");
    return bytes;
}

QString qs(const std::string& text) {
    return QString::fromStdString(visibleText(text));
}

// A column's width in characters: its heading's, and never under 8.
int widthInCharacters(const std::string& heading) {
    return std::max(8, int(QString::fromStdString(heading).size()) + 2);
}

// « 2026-12-08 14:05 » as 2026-12-08T14:05:00; empty when it is not such a date.
QString isoDate(const std::string& text) {
    const QString t = QString::fromStdString(text);
    if (t.size() != 16 || t[10] != ' ') return {};
    return t.left(10) + "T" + t.mid(11) + ":00";
}

// Days since 1899-12-30 and the day's fraction, as spreadsheets count dates.
QString serialDate(const std::string& text) {
    int y = 0, m = 0, d = 0, hh = 0, mm = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d", &y, &m, &d, &hh, &mm) != 5) return {};
    // Days from the civil date (proleptic Gregorian).
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long long days = era * 146097LL + doe - 719468 + 25569;  // 1970-01-01 is 25569
    const long long minutes = hh * 60LL + mm;
    // A minute is 1/1440 of a day: rounded up, so that it never reads as the minute before.
    return QString::number(days) + "." +
           QString::number((minutes * 1000000000LL + 1439) / 1440).rightJustified(9, '0');
}

QString columnName(int column) {
    QString name;
    for (++column; column > 0; column = (column - 1) / 26)
        name.prepend(QChar('A' + (column - 1) % 26));
    return name;
}

QByteArray xml(const std::function<void(QXmlStreamWriter&)>& write) {
    QByteArray bytes;
    QXmlStreamWriter w(&bytes);
    w.writeStartDocument();
    write(w);
    w.writeEndDocument();
    return bytes;
}

// --- OpenDocument ---

constexpr const char* kOffice = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr const char* kStyle = "urn:oasis:names:tc:opendocument:xmlns:style:1.0";
constexpr const char* kText = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr const char* kTable = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr const char* kFo = "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0";
constexpr const char* kNumber = "urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0";
constexpr const char* kConfig = "urn:oasis:names:tc:opendocument:xmlns:config:1.0";
constexpr const char* kManifest = "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0";

void odsNamespaces(QXmlStreamWriter& w) {
    w.writeNamespace(kOffice, "office");
    w.writeNamespace(kStyle, "style");
    w.writeNamespace(kText, "text");
    w.writeNamespace(kTable, "table");
    w.writeNamespace(kFo, "fo");
    w.writeNamespace(kNumber, "number");
}

void odsStyles(QXmlStreamWriter& w, const TeacherTable& table) {
    w.writeStartElement(kOffice, "automatic-styles");
    for (std::size_t c = 0; c < table.headings.size(); ++c) {
        w.writeStartElement(kStyle, "style");
        w.writeAttribute(kStyle, "name", "co" + QString::number(c));
        w.writeAttribute(kStyle, "family", "table-column");
        w.writeEmptyElement(kStyle, "table-column-properties");
        // About 0.21 cm a character of the default 10-point face.
        w.writeAttribute(
            kStyle, "column-width",
            QString::number(widthInCharacters(table.headings[c]) * 0.21, 'f', 2) + "cm");
        w.writeEndElement();
    }
    w.writeStartElement(kNumber, "number-style");
    w.writeAttribute(kStyle, "name", "N2");
    w.writeEmptyElement(kNumber, "number");
    w.writeAttribute(kNumber, "decimal-places", "2");
    w.writeAttribute(kNumber, "min-decimal-places", "2");
    w.writeAttribute(kNumber, "min-integer-digits", "1");
    w.writeEndElement();
    w.writeStartElement(kNumber, "date-style");
    w.writeAttribute(kStyle, "name", "N3");
    const auto part = [&](const char* name) {
        w.writeEmptyElement(kNumber, name);
        w.writeAttribute(kNumber, "style", "long");
    };
    const auto text = [&](const char* t) { w.writeTextElement(kNumber, "text", t); };
    part("year"), text("-"), part("month"), text("-"), part("day"), text(" "), part("hours"),
        text(":"), part("minutes");
    w.writeEndElement();
    const auto cellStyle = [&](const char* name, const char* data, bool bold) {
        w.writeStartElement(kStyle, "style");
        w.writeAttribute(kStyle, "name", name);
        w.writeAttribute(kStyle, "family", "table-cell");
        if (data) w.writeAttribute(kStyle, "data-style-name", data);
        if (bold) {
            w.writeEmptyElement(kStyle, "text-properties");
            w.writeAttribute(kFo, "font-weight", "bold");
        }
        w.writeEndElement();
    };
    cellStyle("ceHead", nullptr, true);
    cellStyle("ceMoney", "N2", false);
    cellStyle("ceDate", "N3", false);
    w.writeEndElement();
}

void odsCell(QXmlStreamWriter& w, const CsvCell& cell) {
    w.writeStartElement(kTable, "table-cell");
    const QString iso = cell.kind == CsvCell::Kind::Date ? isoDate(cell.value) : QString();
    if (cell.kind == CsvCell::Kind::Text || (cell.kind == CsvCell::Kind::Date && iso.isEmpty())) {
        if (cell.text.empty()) {
            w.writeEndElement();
            return;
        }
        w.writeAttribute(kOffice, "value-type", "string");
    } else if (cell.kind == CsvCell::Kind::Date) {
        w.writeAttribute(kTable, "style-name", "ceDate");
        w.writeAttribute(kOffice, "value-type", "date");
        w.writeAttribute(kOffice, "date-value", iso);
    } else {
        if (cell.kind == CsvCell::Kind::Money) w.writeAttribute(kTable, "style-name", "ceMoney");
        w.writeAttribute(kOffice, "value-type", "float");
        w.writeAttribute(kOffice, "value", QString::fromStdString(cell.value));
    }
    w.writeTextElement(kText, "p", qs(cell.text));
    w.writeEndElement();
}

std::string odsBytes(const TeacherTable& table, const QString& sheet) {
    const QString lastColumn = columnName(int(table.headings.size()) - 1);
    const QString quoted = "'" + QString(sheet).replace("'", "''") + "'";
    const QByteArray content = xml([&](QXmlStreamWriter& w) {
        w.writeStartElement(kOffice, "document-content");
        odsNamespaces(w);
        w.writeAttribute(kOffice, "version", "1.2");
        odsStyles(w, table);
        w.writeStartElement(kOffice, "body");
        w.writeStartElement(kOffice, "spreadsheet");
        w.writeStartElement(kTable, "table");
        w.writeAttribute(kTable, "name", sheet);
        for (std::size_t c = 0; c < table.headings.size(); ++c) {
            w.writeEmptyElement(kTable, "table-column");
            w.writeAttribute(kTable, "style-name", "co" + QString::number(c));
        }
        w.writeStartElement(kTable, "table-row");
        for (const std::string& heading : table.headings) {
            w.writeStartElement(kTable, "table-cell");
            w.writeAttribute(kTable, "style-name", "ceHead");
            w.writeAttribute(kOffice, "value-type", "string");
            w.writeTextElement(kText, "p", qs(heading));
            w.writeEndElement();
        }
        w.writeEndElement();
        for (const std::vector<CsvCell>& row : table.rows) {
            w.writeStartElement(kTable, "table-row");
            for (const CsvCell& cell : row) odsCell(w, cell);
            w.writeEndElement();
        }
        if (!table.notes.empty()) {
            w.writeStartElement(kTable, "table-row");
            w.writeEmptyElement(kTable, "table-cell");
            w.writeEndElement();
        }
        for (const std::string& note : table.notes) {
            w.writeStartElement(kTable, "table-row");
            odsCell(w, CsvCell(note));
            w.writeEndElement();
        }
        w.writeEndElement();  // table
        w.writeStartElement(kTable, "database-ranges");
        w.writeEmptyElement(kTable, "database-range");
        w.writeAttribute(kTable, "name", "__Anonymous_Sheet_DB__0");
        w.writeAttribute(
            kTable, "target-range-address",
            quoted + ".A1:" + quoted + "." + lastColumn + QString::number(table.rows.size() + 1));
        w.writeAttribute(kTable, "display-filter-buttons", "true");
        w.writeEndElement();
        w.writeEndElement();  // spreadsheet
        w.writeEndElement();  // body
        w.writeEndElement();
    });
    // The heading row frozen: the view split under the first row.
    const QByteArray settings = xml([&](QXmlStreamWriter& w) {
        w.writeStartElement(kOffice, "document-settings");
        w.writeNamespace(kOffice, "office");
        w.writeNamespace(kConfig, "config");
        w.writeAttribute(kOffice, "version", "1.2");
        w.writeStartElement(kOffice, "settings");
        w.writeStartElement(kConfig, "config-item-set");
        w.writeAttribute(kConfig, "name", "ooo:view-settings");
        w.writeStartElement(kConfig, "config-item-map-indexed");
        w.writeAttribute(kConfig, "name", "Views");
        w.writeStartElement(kConfig, "config-item-map-entry");
        const auto item = [&](const char* name, const char* type, const QString& value) {
            w.writeStartElement(kConfig, "config-item");
            w.writeAttribute(kConfig, "name", name);
            w.writeAttribute(kConfig, "type", type);
            w.writeCharacters(value);
            w.writeEndElement();
        };
        item("ViewId", "string", "view1");
        w.writeStartElement(kConfig, "config-item-map-named");
        w.writeAttribute(kConfig, "name", "Tables");
        w.writeStartElement(kConfig, "config-item-map-entry");
        w.writeAttribute(kConfig, "name", sheet);
        item("HorizontalSplitMode", "short", "0");
        item("VerticalSplitMode", "short", "2");
        item("HorizontalSplitPosition", "int", "0");
        item("VerticalSplitPosition", "int", "1");
        item("ActiveSplitRange", "short", "2");
        item("PositionLeft", "int", "0");
        item("PositionRight", "int", "0");
        item("PositionTop", "int", "0");
        item("PositionBottom", "int", "1");
        w.writeEndElement();
        w.writeEndElement();
        item("ActiveTable", "string", sheet);
        w.writeEndElement();
        w.writeEndElement();
        w.writeEndElement();
        w.writeEndElement();
        w.writeEndElement();
    });
    const QByteArray styles = xml([&](QXmlStreamWriter& w) {
        w.writeStartElement(kOffice, "document-styles");
        odsNamespaces(w);
        w.writeAttribute(kOffice, "version", "1.2");
        w.writeEndElement();
    });
    const QByteArray manifest = xml([&](QXmlStreamWriter& w) {
        w.writeStartElement(kManifest, "manifest");
        w.writeNamespace(kManifest, "manifest");
        w.writeAttribute(kManifest, "version", "1.2");
        const auto entry = [&](const char* path, const char* type) {
            w.writeEmptyElement(kManifest, "file-entry");
            w.writeAttribute(kManifest, "full-path", path);
            w.writeAttribute(kManifest, "media-type", type);
        };
        entry("/", "application/vnd.oasis.opendocument.spreadsheet");
        entry("content.xml", "text/xml");
        entry("styles.xml", "text/xml");
        entry("settings.xml", "text/xml");
        w.writeEndElement();
    });
    return zipped({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                   {"META-INF/manifest.xml", manifest},
                   {"content.xml", content},
                   {"styles.xml", styles},
                   {"settings.xml", settings}});
}

// --- Office Open XML ---

constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelations =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kPackageRelations =
    "http://schemas.openxmlformats.org/package/2006/relationships";

enum XlsxStyle { kPlain = 0, kHead = 1, kMoney = 2, kDate = 3 };

void xlsxCell(QXmlStreamWriter& w, const CsvCell& cell, const QString& reference, bool head) {
    const QString serial = cell.kind == CsvCell::Kind::Date ? serialDate(cell.value) : QString();
    const bool text =
        cell.kind == CsvCell::Kind::Text || (cell.kind == CsvCell::Kind::Date && serial.isEmpty());
    if (text && cell.text.empty()) return;
    w.writeStartElement("c");
    w.writeAttribute("r", reference);
    if (head) w.writeAttribute("s", QString::number(kHead));
    if (text) {
        w.writeAttribute("t", "inlineStr");
        w.writeStartElement("is");
        w.writeStartElement("t");
        w.writeAttribute("xml:space", "preserve");
        w.writeCharacters(qs(cell.text));
        w.writeEndElement();
        w.writeEndElement();
    } else {
        if (cell.kind == CsvCell::Kind::Money) w.writeAttribute("s", QString::number(kMoney));
        if (cell.kind == CsvCell::Kind::Date) w.writeAttribute("s", QString::number(kDate));
        w.writeTextElement(
            "v", cell.kind == CsvCell::Kind::Date ? serial : QString::fromStdString(cell.value));
    }
    w.writeEndElement();
}

std::string xlsxBytes(const TeacherTable& table, const QString& sheet) {
    const int columns = int(table.headings.size());
    const QString range = "A1:" + columnName(columns - 1) + QString::number(table.rows.size() + 1);
    const QByteArray worksheet = xml([&](QXmlStreamWriter& w) {
        w.writeStartElement("worksheet");
        w.writeDefaultNamespace(kMain);
        w.writeStartElement("sheetViews");
        w.writeStartElement("sheetView");
        w.writeAttribute("workbookViewId", "0");
        w.writeEmptyElement("pane");
        w.writeAttribute("ySplit", "1");
        w.writeAttribute("topLeftCell", "A2");
        w.writeAttribute("activePane", "bottomLeft");
        w.writeAttribute("state", "frozen");
        w.writeEndElement();
        w.writeEndElement();
        w.writeStartElement("cols");
        for (int c = 0; c < columns; ++c) {
            w.writeEmptyElement("col");
            w.writeAttribute("min", QString::number(c + 1));
            w.writeAttribute("max", QString::number(c + 1));
            w.writeAttribute("width", QString::number(widthInCharacters(table.headings[c])));
            w.writeAttribute("customWidth", "1");
        }
        w.writeEndElement();
        w.writeStartElement("sheetData");
        int r = 1;
        const auto row = [&](const std::vector<CsvCell>& cells, bool head) {
            w.writeStartElement("row");
            w.writeAttribute("r", QString::number(r));
            for (int c = 0; c < int(cells.size()); ++c)
                xlsxCell(w, cells[c], columnName(c) + QString::number(r), head);
            w.writeEndElement();
            ++r;
        };
        row(std::vector<CsvCell>(table.headings.begin(), table.headings.end()), true);
        for (const std::vector<CsvCell>& cells : table.rows) row(cells, false);
        if (!table.notes.empty()) ++r;
        for (const std::string& note : table.notes) row({CsvCell(note)}, false);
        w.writeEndElement();
        w.writeEmptyElement("autoFilter");
        w.writeAttribute("ref", range);
        w.writeEndElement();
    });
    const QByteArray workbook = xml([&](QXmlStreamWriter& w) {
        w.writeStartElement("workbook");
        w.writeDefaultNamespace(kMain);
        w.writeNamespace(kRelations, "r");
        w.writeStartElement("sheets");
        w.writeEmptyElement("sheet");
        w.writeAttribute("name", sheet);
        w.writeAttribute("sheetId", "1");
        w.writeAttribute(kRelations, "id", "rId1");
        w.writeEndElement();
        w.writeStartElement("definedNames");
        w.writeStartElement("definedName");
        w.writeAttribute("name", "_xlnm._FilterDatabase");
        w.writeAttribute("localSheetId", "0");
        w.writeAttribute("hidden", "1");
        w.writeCharacters("'" + QString(sheet).replace("'", "''") + "'!" +
                          QString(range).replace(QRegularExpression("([A-Z]+)(\\d+)"), "$\\1$\\2"));
        w.writeEndElement();
        w.writeEndElement();
        w.writeEndElement();
    });
    const QByteArray styles = xml([&](QXmlStreamWriter& w) {
        w.writeStartElement("styleSheet");
        w.writeDefaultNamespace(kMain);
        w.writeStartElement("numFmts");
        w.writeAttribute("count", "2");
        const auto format = [&](const char* id, const char* code) {
            w.writeEmptyElement("numFmt");
            w.writeAttribute("numFmtId", id);
            w.writeAttribute("formatCode", code);
        };
        format("164", "0.00");
        format("165", "yyyy\\-mm\\-dd hh:mm");
        w.writeEndElement();
        w.writeStartElement("fonts");
        w.writeAttribute("count", "2");
        for (bool bold : {false, true}) {
            w.writeStartElement("font");
            if (bold) w.writeEmptyElement("b");
            w.writeEmptyElement("sz");
            w.writeAttribute("val", "11");
            w.writeEmptyElement("name");
            w.writeAttribute("val", "Calibri");
            w.writeEndElement();
        }
        w.writeEndElement();
        w.writeStartElement("fills");
        w.writeAttribute("count", "2");
        for (const char* pattern : {"none", "gray125"}) {
            w.writeStartElement("fill");
            w.writeEmptyElement("patternFill");
            w.writeAttribute("patternType", pattern);
            w.writeEndElement();
        }
        w.writeEndElement();
        w.writeStartElement("borders");
        w.writeAttribute("count", "1");
        w.writeEmptyElement("border");
        w.writeEndElement();
        w.writeStartElement("cellStyleXfs");
        w.writeAttribute("count", "1");
        w.writeEmptyElement("xf");
        w.writeAttribute("numFmtId", "0");
        w.writeEndElement();
        w.writeStartElement("cellXfs");
        w.writeAttribute("count", "4");
        const auto xf = [&](const char* numFmt, const char* font) {
            w.writeEmptyElement("xf");
            w.writeAttribute("numFmtId", numFmt);
            w.writeAttribute("fontId", font);
            w.writeAttribute("fillId", "0");
            w.writeAttribute("borderId", "0");
            w.writeAttribute("xfId", "0");
            if (QByteArray(numFmt) != "0") w.writeAttribute("applyNumberFormat", "1");
            if (QByteArray(font) != "0") w.writeAttribute("applyFont", "1");
        };
        xf("0", "0"), xf("0", "1"), xf("164", "0"), xf("165", "0");
        w.writeEndElement();
        w.writeEndElement();
    });
    const QByteArray types = xml([&](QXmlStreamWriter& w) {
        w.writeStartElement("Types");
        w.writeDefaultNamespace("http://schemas.openxmlformats.org/package/2006/content-types");
        const auto def = [&](const char* extension, const char* type) {
            w.writeEmptyElement("Default");
            w.writeAttribute("Extension", extension);
            w.writeAttribute("ContentType", type);
        };
        def("rels", "application/vnd.openxmlformats-package.relationships+xml");
        def("xml", "application/xml");
        const auto part = [&](const char* name, const char* type) {
            w.writeEmptyElement("Override");
            w.writeAttribute("PartName", name);
            w.writeAttribute("ContentType", type);
        };
        part("/xl/workbook.xml",
             "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml");
        part("/xl/worksheets/sheet1.xml",
             "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml");
        part("/xl/styles.xml",
             "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml");
        w.writeEndElement();
    });
    const auto relations = [](const char* type, const char* target, const char* type2 = nullptr,
                              const char* target2 = nullptr) {
        return xml([&](QXmlStreamWriter& w) {
            w.writeStartElement("Relationships");
            w.writeDefaultNamespace(kPackageRelations);
            const auto one = [&](const char* id, const char* t, const char* to) {
                w.writeEmptyElement("Relationship");
                w.writeAttribute("Id", id);
                w.writeAttribute("Type", t);
                w.writeAttribute("Target", to);
            };
            one("rId1", type, target);
            if (type2) one("rId2", type2, target2);
            w.writeEndElement();
        });
    };
    const std::string office =
        "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    const std::string document = office + "officeDocument";
    const std::string worksheetType = office + "worksheet";
    const std::string stylesType = office + "styles";
    return zipped(
        {{"[Content_Types].xml", types},
         {"_rels/.rels", relations(document.c_str(), "xl/workbook.xml")},
         {"xl/workbook.xml", workbook},
         {"xl/_rels/workbook.xml.rels", relations(worksheetType.c_str(), "worksheets/sheet1.xml",
                                                  stylesType.c_str(), "styles.xml")},
         {"xl/styles.xml", styles},
         {"xl/worksheets/sheet1.xml", worksheet}});
}

}  // namespace

bool spreadsheetKindOf(const std::string& fileName, SpreadsheetKind* kind) {
    const QString name = QString::fromStdString(fileName).toLower();
    if (name.endsWith(".ods")) {
        *kind = SpreadsheetKind::OpenDocument;
        return true;
    }
    if (name.endsWith(".xlsx")) {
        *kind = SpreadsheetKind::OfficeOpenXml;
        return true;
    }
    return false;
}

std::string spreadsheetBytes(const TeacherTable& table, const std::string& sheetName,
                             SpreadsheetKind kind) {
    // A sheet name holds at most 31 characters and none of []:*?/\ in either format.
    QString sheet = QString::fromStdString(visibleText(sheetName));
    sheet.replace(QRegularExpression(R"([\[\]:*?/\\])"), "_");
    sheet = sheet.left(31).trimmed();
    if (sheet.isEmpty()) sheet = "Tableau";
    return kind == SpreadsheetKind::OpenDocument ? odsBytes(table, sheet) : xlsxBytes(table, sheet);
}
