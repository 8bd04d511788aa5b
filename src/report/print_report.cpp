#include "report/print_report.h"

#include <algorithm>
#include <iterator>
#include <new>
#include <string>
#include <vector>

#include "catalogue/my_val.h"
#include "catalogue/number_text.h"
#include "estimation/remarks.h"
#include "report/printer.h"
#include "window/control.h"
#include "window/design_record.h"

namespace {

constexpr double kSectionX = 10;
constexpr double kHeadingX = 40;
constexpr double kDetailX = 50;

struct Detail {
    const char* caption;  // a label whose caption leads the line, or nullptr for the field alone
    const char* field;
};

// A block whose heading is its title field, a joint and the step's list text.
struct ListBlock {
    const char* picture;
    double y;
    const char* title;
    const char* list;
    Detail details[3];
};

constexpr ListBlock kComponents[] = {
    {"Picture1",
     20,
     "Text50",
     "Combo1",
     {{"Label1", "Text2"}, {"Label2", "Text3"}, {"Label6", "Text6"}}},
    {"Picture2",
     45,
     "Text51",
     "Combo2",
     {{"Label1", "Text9"}, {"Label2", "Text10"}, {"Label6", "Text15"}}},
    {"Picture3",
     70,
     "Text52",
     "Combo3",
     {{"Label1", "Text17"}, {"Label2", "Text18"}, {"Label6", "Text22"}}},
    {"Picture4",
     95,
     "Text53",
     "Combo4",
     {{"Label26", "Text25"}, {"Label2", "Text26"}, {"Label6", "Text29"}}},
    {"Picture5",
     120,
     "Text54",
     "Combo5",
     {{"Label26", "Text31"}, {"Label2", "Text32"}, {"Label6", "Text35"}}},
    {"Picture6",
     145,
     "Text55",
     "Combo6",
     {{"Label1", "Text37"}, {"Label2", "Text38"}, {"Label6", "Text42"}}},
    {"Picture7",
     170,
     "Text56",
     "Combo7",
     {{"Label1", "Text44"}, {"Label2", "Text45"}, {"Label6", "Text49"}}},
};

struct PositionBlock {
    const char* picture;
    double y;
    const char* title;
    const char* first;
    const char* second;
};

constexpr PositionBlock kFrontPosition{"Picture8", 210, "Text58", "Option1", "Option2"};
constexpr PositionBlock kRearPosition{"Picture12", 235, "Text59", "Option3", "Option4"};
constexpr PositionBlock kPropellerPosition{"Picture15", 10, "Text60", "Option5", "Option6"};

constexpr ListBlock kMountings[] = {
    {"Picture14",
     35,
     "Text57",
     "Combo8",
     {{"Label2", "Text64"}, {"Label6", "Text65"}, {nullptr, "Text63"}}},
    {"Picture10",
     60,
     "Text67",
     "Combo9",
     {{"Label2", "Text69"}, {"Label6", "Text70"}, {nullptr, "Text66"}}},
};

// Below every line of either page.
constexpr double kFooterY = 268;
// The dimensioned sketch: its title, then the box it is scaled into.
constexpr double kSketchTitleY = 180;
constexpr double kSketchTop = 190;
constexpr double kSketchBottom = 264;
constexpr double kSketchLeft = 10;
constexpr double kSketchWidth = 180;
constexpr double kMillimetresPerTwip = 25.4 / 1440;
constexpr double kMillimetresPerPixel = 25.4 / 96;
constexpr const char* kSketchFrame = "Frame12";
// What the sketch frame holds that is no part of the sketch.
constexpr const char* kNotSketch[] = {"Picture9", "VScroll1", "Text61"};
constexpr double kFooterPoints = 9;
constexpr int kPages = 2;

class Report {
  public:
    Report(const DesignRecord& record, Printer& printer, const ReportFooter& footer)
        : r_(record), p_(printer), footer_(footer), separator_(footer.decimalSeparator) {}

    void font(bool bold, double points) {
        p_.setFont(bold, points);
        p_.notePoints(points);
    }

    // The footer whole within the page: the names shortened with « … » when they must be, the
    // date and the page number never.
    void foot(int page) {
        if (footer_.empty()) return;
        font(false, kFooterPoints);
        std::string pupil = footer_.pupil;
        std::string className = footer_.className;
        const auto compose = [&] {
            std::string text;
            for (const std::string& part : {pupil, className, footer_.date}) {
                if (!part.empty()) text += part + " — ";
            }
            return text + "page " + std::to_string(page) + " sur " + std::to_string(kPages);
        };
        const double room = p_.pageWidth() - kSectionX;
        while (p_.textWidth(compose()) > room && (pupil.size() > 4 || className.size() > 4)) {
            std::string& longer = pupil.size() >= className.size() ? pupil : className;
            longer = shortened(longer);
        }
        p_.setPosition(kSectionX, kFooterY);
        p_.printLine({compose()});
    }

    // A name one character shorter, ended by « … ».
    static std::string shortened(const std::string& name) {
        const std::string ellipsis = "…";
        std::string text = name;
        if (text.size() >= ellipsis.size() &&
            text.compare(text.size() - ellipsis.size(), ellipsis.size(), ellipsis) == 0)
            text.resize(text.size() - ellipsis.size());
        if (text.empty()) return ellipsis;
        std::size_t cut = text.size() - 1;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
        return text.substr(0, cut) + ellipsis;
    }

    // A line cut at its spaces into lines that fit between x and the page's right edge; a word
    // longer than that is cut where it must be.
    std::vector<std::string> wrapped(const std::string& line, double x) const {
        const double room = p_.pageWidth() - x;
        if (p_.textWidth(line) <= room) return {line};
        std::vector<std::string> lines;
        std::string current;
        std::size_t start = 0;
        while (start <= line.size()) {
            std::size_t end = line.find(' ', start);
            if (end == std::string::npos) end = line.size();
            const std::string word = line.substr(start, end - start);
            const std::string tried = current.empty() ? word : current + " " + word;
            if (p_.textWidth(tried) <= room || current.empty()) {
                current = tried;
            } else {
                lines.push_back(current);
                current = word;
            }
            while (p_.textWidth(current) > room && current.size() > 1) {
                std::size_t cut = current.size() - 1;
                while (cut > 1 && p_.textWidth(current.substr(0, cut)) > room) --cut;
                while (cut > 1 && (static_cast<unsigned char>(current[cut]) & 0xC0) == 0x80) --cut;
                lines.push_back(current.substr(0, cut));
                current = current.substr(cut);
            }
            start = end + 1;
        }
        if (!current.empty()) lines.push_back(current);
        return lines;
    }

    void sectionTitle(double y, const std::string& text) {
        font(true, 16);
        p_.setPosition(kSectionX, y);
        p_.printLine({text});
    }

    // Picture, heading at (40, y), then the detail lines at x 50 and an empty line.
    void block(const char* picture, double y, const std::string& heading,
               const std::vector<std::string>& lines) {
        p_.drawPicture(pictureOf(picture), 10, y);
        font(true, 14);
        p_.setPosition(kHeadingX, y);
        p_.printLine({heading});
        font(false, 12);
        for (const std::string& line : lines) {
            for (const std::string& part : wrapped(line, kDetailX)) {
                p_.setX(kDetailX);
                p_.printLine({part});
            }
        }
        p_.printLine({});
    }

    std::string detail(const Detail& d) const {
        return d.caption ? r_.text(d.caption) + " : " + r_.text(d.field) : r_.text(d.field);
    }

    void listBlock(const ListBlock& b, const char* joint) {
        block(b.picture, b.y, r_.text(b.title) + joint + r_.text(b.list),
              {detail(b.details[0]), detail(b.details[1]), detail(b.details[2])});
    }

    void position(const PositionBlock& b) {
        std::vector<std::string> lines;
        if (r_[b.first].selected) lines.push_back(r_.text(b.first));
        if (r_[b.second].selected) lines.push_back(r_.text(b.second));
        block(b.picture, b.y, r_.text(b.title), lines);
    }

    // The batteries the design names, what each weighs and what the pupil counted.
    std::string batteries() const {
        const double count = MyVal(r_.text("Text78"), separator_);
        const bool pile = r_["Option7"].selected;
        if (count <= 0 || (!pile && !r_["Option8"].selected)) return "Batteries : aucune";
        const bool several = count > 1;
        return "Batteries : " + formatNumber(count, separator_) + " " +
               (pile ? (several ? "piles" : "pile") : (several ? "accus" : "accu")) + " de " +
               r_.text(pile ? "Text8" : "Text24") + " g, masse " +
               (r_["Check2"].checkValue == 1 ? "comptée" : "non comptée") + ", coût " +
               (r_["Check1"].checkValue == 1 ? "compté" : "non compté");
    }

    std::string maxima() const {
        return "Maxima du règlement : hauteur " + r_.text("Text87") + " mm, masse " +
               r_.text("Text88") + " g, prix " + r_.text("Text89") + " €";
    }

    // The sketch as the window shows it: its drawings, lines and dimension values, scaled into
    // the space left on page 2.
    void sketch() {
        struct Box {
            double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
            void add(double x, double y) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        } box;
        std::vector<const Control*> parts;
        for (const Control& c : r_.controls()) {
            if (c.parent != kSketchFrame || !c.visible) continue;
            if (std::find_if(std::begin(kNotSketch), std::end(kNotSketch),
                             [&](const char* n) { return c.name == n; }) != std::end(kNotSketch))
                continue;
            if (c.kind == ControlKind::Line) {
                box.add(c.x1, c.y1);
                box.add(c.x2, c.y2);
            } else if (c.kind == ControlKind::ImageBox || c.kind == ControlKind::PictureBox ||
                       c.kind == ControlKind::TextField) {
                if (c.kind != ControlKind::TextField && pictureOf(c.name.c_str()).empty()) continue;
                box.add(c.geometry.left, c.geometry.top);
                box.add(c.geometry.left + c.geometry.width, c.geometry.top + c.geometry.height);
            } else {
                continue;
            }
            parts.push_back(&c);
        }
        if (parts.empty()) return;
        sectionTitle(kSketchTitleY, "4. Croquis coté");
        const double width = (box.right - box.left) * kMillimetresPerTwip;
        const double height = (box.bottom - box.top) * kMillimetresPerTwip;
        const double scale = std::min(kSketchWidth / width, (kSketchBottom - kSketchTop) / height);
        const double left = kSketchLeft + (kSketchWidth - width * scale) / 2;
        auto x = [&](double twips) {
            return left + (twips - box.left) * kMillimetresPerTwip * scale;
        };
        auto y = [&](double twips) {
            return kSketchTop + (twips - box.top) * kMillimetresPerTwip * scale;
        };
        auto size = [&](double twips) { return twips * kMillimetresPerTwip * scale; };
        // Pictures under the lines, the values on top, as the window stacks them.
        for (const Control* c : parts) {
            if (c->kind != ControlKind::ImageBox && c->kind != ControlKind::PictureBox) continue;
            p_.drawPictureIn(pictureOf(c->name.c_str()), x(c->geometry.left), y(c->geometry.top),
                             size(c->geometry.width), size(c->geometry.height));
        }
        for (const Control* c : parts) {
            if (c->kind != ControlKind::Line) continue;
            p_.drawLine(x(c->x1), y(c->y1), x(c->x2), y(c->y2),
                        c->lineWidth * kMillimetresPerPixel * scale);
        }
        for (const Control* c : parts) {
            if (c->kind != ControlKind::TextField) continue;
            p_.drawTextIn(c->text, x(c->geometry.left), y(c->geometry.top), size(c->geometry.width),
                          size(c->geometry.height), c->bold, std::max(8 * scale, 7.0));
        }
    }

    // The file a picture box shows, or its design-time picture.
    std::string pictureOf(const char* box) const {
        const Control& c = r_[box];
        return c.pictureFile.empty() ? c.designPicture : c.pictureFile;
    }

    void print() {
        p_.setA4Millimetres();
        sectionTitle(10, "1. Liste des composants sélectionnés");
        for (const ListBlock& b : kComponents) listBlock(b, " référence : ");
        sectionTitle(200, "2. Estimation du montage des composants");
        position(kFrontPosition);
        position(kRearPosition);
        foot(1);
        p_.newPage();
        position(kPropellerPosition);
        for (const ListBlock& b : kMountings) listBlock(b, " : ");
        block("Picture11", 85, r_.text("Text71") + " du châssis et des supports de roues",
              {"Châssis : " + r_.text("Combo10"), "Supports de roues : " + r_.text("Combo11")});
        sectionTitle(115, "3. Bilan");
        std::vector<std::string> balance = {r_.text("Label50") + " : " + r_.text("Text90"),
                                            r_.text("Label51") + " : " + r_.text("Text91"),
                                            r_.text("Label52") + " : " + r_.text("Text92"),
                                            batteries(), maxima()};
        for (const std::string& remark : partRemarks(r_, separator_))
            balance.push_back(kRemarkPrefix + remark);
        block("Picture9", 125, r_.text("Text61"), balance);
        sketch();
        foot(2);
        p_.endDocument();
    }

  private:
    const DesignRecord& r_;
    Printer& p_;
    const ReportFooter& footer_;
    std::string separator_;
};

// Nothing goes out: the document is thrown away, then the user is told why.
void failed(Printer& printer, const std::string& reason) {
    printer.abortDocument();
    printer.showWarning("Impression impossible : " + reason);
}

}  // namespace

std::string frenchDate(const std::tm& day) {
    static const char* const kMonths[] = {"janvier",   "février", "mars",     "avril",
                                          "mai",       "juin",    "juillet",  "août",
                                          "septembre", "octobre", "novembre", "décembre"};
    const int month = day.tm_mon >= 0 && day.tm_mon < 12 ? day.tm_mon : 0;
    return std::to_string(day.tm_mday) + " " + kMonths[month] + " " +
           std::to_string(day.tm_year + 1900);
}

void printReport(const DesignRecord& record, Printer& printer, const ReportFooter& footer) {
    try {
        if (!printer.choosePrinter()) return;  // cancelled: the user's choice, nothing to say
        Report(record, printer, footer).print();
    } catch (const PrintError& error) {
        failed(printer, error.what());
        return;
    } catch (const std::bad_alloc&) {
        failed(printer, "la mémoire de l'ordinateur ne suffit pas.");
        return;
    }
    const std::string exported = printer.exportedFileName();
    printer.showMessage(exported.empty() ? "Impression terminée" : "PDF enregistré : " + exported);
}
