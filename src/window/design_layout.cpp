#include "window/design_layout.h"

#include <map>
#include <string>
#include <vector>

#include <set>
#include <stdexcept>

#include "window/accessible_names.h"
#include "window/control.h"

namespace {

struct Row {
    const char* caption = nullptr;
    const char* field = nullptr;
    const char* member = nullptr;
};

// A catalogue step (1 to 7): picture, heading, list and one labelled value field a row.
struct CatalogueStep {
    const char* frame;
    const char* caption;
    Geometry geometry;
    const char* heading;
    const char* headingText;
    const char* list;
    const char* listMember;
    const char* toolTip;
    const char* picture;
    int labelX;
    int valueX;
    std::vector<Row> rows;
};

const std::vector<CatalogueStep>& catalogueSteps() {
    static const std::vector<CatalogueStep> steps = {
        {.frame = "Frame1",
         .caption = "Etape 1",
         .geometry = {120, 0, 3015, 4215},
         .heading = "Text50",
         .headingText = "Hélice",
         .list = "Combo1",
         .listMember = "propellerName",
         .toolTip = "Choisir une hélice dans le menu déroulant",
         .picture = "Picture1",
         .labelX = 120,
         .valueX = 1680,
         .rows = {{"Diamètre (mm)", "Text2", "propellerDiameter"},
                  {"Masse (g)", "Text3", "propellerMass"},
                  {"Fournisseur", "Text4", "propellerSupplier"},
                  {"Réf. Fournisseur", "Text5", "propellerSupplierRef"},
                  {"Prix HT (Euros)", "Text6", "propellerPrice"},
                  {"Dim mini / Axe (mm)", nullptr, nullptr},  // Text7 stands on the window itself
                  {"Nombre de pales", "Text72", "propellerBladeCount"}}},
        {.frame = "Frame2",
         .caption = "Etape 2",
         .geometry = {120, 4200, 3015, 4095},
         .heading = "Text51",
         .headingText = "Moteur",
         .list = "Combo2",
         .listMember = "motorName",
         .toolTip = "Choisir un moteur dans le menu déroulant",
         .picture = "Picture2",
         .labelX = 360,
         .valueX = 1680,
         .rows = {{"Diamètre (mm)", "Text9", "motorDiameter"},
                  {"Masse (g)", "Text10", "motorMass"},
                  {"Diam. arbre (mm)", "Text11", "motorShaftDiameter"},
                  {"Adapté solaire ?", "Text12", "motorSolarSuitable"},
                  {"Fournisseur", "Text13", "motorSupplier"},
                  {"Réf. Fournisseur", "Text14", "motorSupplierRef"},
                  {"Prix HT (Euros)", "Text15", "motorPrice"}}},
        {.frame = "Frame3",
         .caption = "Etape 3",
         .geometry = {120, 8280, 3015, 4095},
         .heading = "Text52",
         .headingText = "Berceau",
         .list = "Combo3",
         .listMember = "cradleName",
         .toolTip = "Choisir un berceau dans le menu déroulant",
         .picture = "Picture3",
         .labelX = 360,
         .valueX = 1680,
         .rows = {{"Diamètre (mm)", "Text17", "cradleDiameter"},
                  {"Masse (g)", "Text18", "cradleMass"},
                  {"Matériau", "Text19", "cradleMaterial"},
                  {"Fournisseur", "Text20", "cradleSupplier"},
                  {"Réf. Fournisseur", "Text21", "cradleSupplierRef"},
                  {"Prix HT (Euros)", "Text22", "cradlePrice"},
                  {"Dist. Base/Axe", "Text23", "cradleBaseToAxis"}}},
        {.frame = "Frame4",
         .caption = "Etape 4",
         .geometry = {3240, 0, 3015, 5295},
         .heading = "Text53",
         .headingText = "Alimentation",
         .list = "Combo4",
         .listMember = "powerName",
         .toolTip = "Choisir un type d'alimentation dans le menu déroulant",
         .picture = "Picture4",
         .labelX = 360,
         .valueX = 1680,
         .rows = {{"Type", "Text25", "powerType"},
                  {"Masse (g)", "Text26", "powerMass"},
                  {"Fournisseur", "Text27", "powerSupplier"},
                  {"Réf. Fournisseur", "Text28", "powerSupplierRef"},
                  {"Prix HT (Euros)", "Text29", "powerPrice"},
                  {"Nombre de batteries", "Text78", "batteryCount"}}},
        {.frame = "Frame5",
         .caption = "Etape 5",
         .geometry = {3240, 5280, 3015, 3375},
         .heading = "Text54",
         .headingText = "Interrupteur",
         .list = "Combo5",
         .listMember = "switchName",
         .toolTip = "Choisir un interrupteur dans le menu déroulant",
         .picture = "Picture5",
         .labelX = 360,
         .valueX = 1680,
         .rows = {{"Type", "Text31", "switchType"},
                  {"Masse (g)", "Text32", "switchMass"},
                  {"Fournisseur", "Text33", "switchSupplier"},
                  {"Réf. Fournisseur", "Text34", "switchSupplierRef"},
                  {"Prix HT (Euros)", "Text35", "switchPrice"}}},
        {.frame = "Frame6",
         .caption = "Etape 6",
         .geometry = {3240, 8640, 3015, 3735},
         .heading = "Text55",
         .headingText = "Roues avant",
         .list = "Combo6",
         .listMember = "frontWheelName",
         .toolTip = "Choisir une roue avant dans le menu déroulant",
         .picture = "Picture6",
         .labelX = 360,
         .valueX = 1560,
         .rows = {{"Diamètre (mm)", "Text37", "frontWheelDiameter"},
                  {"Masse (g)", "Text38", "frontWheelMass"},
                  {"Diam. axe (mm)", "Text39", "frontAxleDiameter"},
                  {"Fournisseur", "Text40", "frontWheelSupplier"},
                  {"Réf. Fournisseur", "Text41", "frontWheelSupplierRef"},
                  {"Prix HT (Euros)", "Text42", "frontWheelPrice"}}},
        {.frame = "Frame7",
         .caption = "Etape 7",
         .geometry = {6360, 0, 3015, 3855},
         .heading = "Text56",
         .headingText = "Roues arrière",
         .list = "Combo7",
         .listMember = "rearWheelName",
         .toolTip = "Choisir une roue arrière dans le menu déroulant",
         .picture = "Picture7",
         .labelX = 360,
         .valueX = 1680,
         .rows = {{"Diamètre (mm)", "Text44", "rearWheelDiameter"},
                  {"Masse (g)", "Text45", "rearWheelMass"},
                  {"Diam. axe (mm)", "Text46", "rearAxleDiameter"},
                  {"Fournisseur", "Text47", "rearWheelSupplier"},
                  {"Réf. Fournisseur", "Text48", "rearWheelSupplierRef"},
                  {"Prix HT (Euros)", "Text49", "rearWheelPrice"}}},
    };
    return steps;
}

// Labels with the same caption form one control array: Label1, Label1_1, Label1_2, ...
const std::map<std::string, std::string>& labelArrays() {
    static const std::map<std::string, std::string> arrays = {
        {"Diamètre (mm)", "Label1"},
        {"Masse (g)", "Label2"},
        {"Fournisseur", "Label3"},
        {"Réf. Fournisseur", "Label4"},
        {"Dim mini / Axe (mm)", "Label5"},
        {"Prix HT (Euros)", "Label6"},
        {"Nombre de pales", "Label7"},
        {"Diam. arbre (mm)", "Label8"},
        {"Adapté solaire ?", "Label9"},
        {"Matériau", "Label10"},
        {"Dist. Base/Axe", "Label11"},
        {"Nombre de batteries", "Label12"},
        {"Type de batteries", "Label13"},
        {"Diam. axe (mm)", "Label14"},
        {"Type", "Label26"},
    };
    return arrays;
}

// The sketch's lines with their start-up end points, in the frame of step 14.
struct LineStart {
    const char* name;
    int x1, y1, x2, y2;
};

constexpr LineStart kSketchLines[] = {
    {"Line6", 840, 8160, 8160, 8160},   {"Line7", 3960, 1920, 8160, 1920},
    {"Line8", 7920, 600, 7920, 8160},   {"Line9", 8040, 7920, 7920, 8160},
    {"Line10", 7800, 7920, 7920, 8160}, {"Line11", 8040, 840, 7920, 600},
    {"Line12", 7800, 840, 7920, 600},   {"Line13", 6840, 7920, 6960, 8160},
    {"Line14", 7080, 7920, 6960, 8160}, {"Line15", 6960, 4800, 6960, 8160},
    {"Line16", 6840, 5040, 6960, 4800}, {"Line17", 7080, 5040, 6960, 4800},
    {"Line18", 7080, 4800, 6000, 4800}, {"Line19", 2520, 5520, 720, 5520},
    {"Line20", 3240, 3000, 720, 3000},  {"Line21", 1200, 3240, 1080, 3000},
    {"Line22", 960, 3240, 1080, 3000},  {"Line23", 1080, 3000, 1080, 4320},
    {"Line24", 1200, 4080, 1080, 4320}, {"Line25", 960, 4080, 1080, 4320},
    {"Line26", 960, 6240, 1080, 6360},  {"Line27", 1200, 6240, 1080, 6360},
    {"Line28", 1080, 5880, 1080, 6360}, {"Line29", 960, 6000, 1080, 5880},
    {"Line30", 1200, 6000, 1080, 5880}, {"Line31", 2520, 5880, 720, 5880},
    {"Line32", 1440, 6360, 720, 6360},  {"Line33", 1920, 4800, 720, 4800},
    {"Line34", 2520, 4440, 720, 4440},  {"Line35", 1200, 4560, 1080, 4440},
    {"Line36", 960, 4560, 1080, 4440},  {"Line37", 1200, 4680, 1080, 4800},
    {"Line38", 960, 4680, 1080, 4800},  {"Line39", 1080, 4440, 1080, 4800},
    {"Line40", 7440, 3000, 7440, 8160}, {"Line41", 7560, 7920, 7440, 8160},
    {"Line42", 7320, 7920, 7440, 8160}, {"Line43", 5160, 4320, 7560, 4320},
    {"Line1", 7560, 4560, 7440, 4320},  {"Line2", 7320, 4560, 7440, 4320},
};

constexpr int kFieldWidth = 1215;
constexpr int kFieldHeight = 285;
constexpr int kLabelHeight = 255;
constexpr int kPictureSize = 1185;  // a 75-pixel picture and its sunken border
constexpr const char* kDefaultPicture = ":/design/PictureBox.jpg";

}  // namespace

class LayoutBuilder {
  public:
    explicit LayoutBuilder(std::vector<Control>& controls) : controls_(controls) {}

    Control& add(ControlKind kind, const std::string& name, const std::string& parent,
                 Geometry geometry, const std::string& text = std::string()) {
        Control c;
        c.kind = kind;
        c.name = name;
        c.parent = parent;
        c.geometry = geometry;
        c.text = text;
        if (!names_.insert(name).second) throw std::logic_error("control named twice: " + name);
        controls_.push_back(std::move(c));
        return controls_.back();
    }

    Control& frame(const std::string& name, const std::string& caption, Geometry g) {
        return add(ControlKind::Frame, name, "", g, caption);
    }

    Control& field(const std::string& name, const std::string& member, const std::string& parent,
                   Geometry g, const std::string& text = std::string()) {
        Control& c = add(ControlKind::TextField, name, parent, g, text);
        c.member = member;
        c.centred = true;
        return c;
    }

    Control& heading(const std::string& name, const std::string& parent, Geometry g,
                     const std::string& text) {
        Control& c = field(name, "", parent, g, text);
        c.bold = true;
        c.background = Background::LightYellow;
        return c;
    }

    Control& hidden(const std::string& name, const std::string& member, const std::string& parent,
                    Geometry g, const std::string& text) {
        Control& c = field(name, member, parent, g, text);
        c.visible = false;
        return c;
    }

    Control& label(const std::string& caption, const std::string& parent, Geometry g) {
        auto array = labelArrays().find(caption);
        std::string name;
        if (array != labelArrays().end()) {
            int element = labelCount_[array->second]++;
            name = element == 0 ? array->second : array->second + "_" + std::to_string(element);
        } else {
            name = "Label" + std::to_string(nextFreeLabel_++);
        }
        return add(ControlKind::Label, name, parent, g, caption);
    }

    Control& list(const std::string& name, const std::string& member, const std::string& parent,
                  Geometry g, const std::string& toolTip) {
        Control& c = add(ControlKind::List, name, parent, g, kListStartText);
        c.member = member;
        c.toolTip = toolTip;
        return c;
    }

    Control& picture(const std::string& name, const std::string& parent, int left, int top) {
        Control& c =
            add(ControlKind::PictureBox, name, parent, {left, top, kPictureSize, kPictureSize});
        c.designPicture = kDefaultPicture;
        c.sunkenBorder = true;
        return c;
    }

    Control& image(const std::string& name, const std::string& parent, Geometry g,
                   const std::string& designPicture, bool stretch = false) {
        Control& c = add(ControlKind::ImageBox, name, parent, g);
        c.designPicture = designPicture;
        c.stretch = stretch;
        return c;
    }

    Control& option(const std::string& name, const std::string& parent, Geometry g,
                    const std::string& caption, const std::string& group) {
        Control& c = add(ControlKind::OptionButton, name, parent, g, caption);
        c.group = group;
        return c;
    }

    Control& line(const std::string& name, const std::string& parent, int x1, int y1, int x2,
                  int y2) {
        Control& c = add(ControlKind::Line, name, parent, {});
        c.x1 = x1;
        c.y1 = y1;
        c.x2 = x2;
        c.y2 = y2;
        return c;
    }

    Control& button(const std::string& name, Geometry g, const std::string& caption,
                    const std::string& toolTip) {
        Control& c = add(ControlKind::Button, name, "", g, caption);
        c.toolTip = toolTip;
        return c;
    }

  private:
    std::vector<Control>& controls_;
    std::set<std::string> names_;
    std::map<std::string, int> labelCount_;
    int nextFreeLabel_ = 60;
};

namespace {

void buildCatalogueStep(LayoutBuilder& b, const CatalogueStep& step) {
    b.frame(step.frame, step.caption, step.geometry);
    b.picture(step.picture, step.frame, 120, 240);
    b.heading(step.heading, step.frame, {1440, 480, 1455, kFieldHeight}, step.headingText);
    b.list(step.list, step.listMember, step.frame, {1440, 840, 1455, 315}, step.toolTip);
    int y = 1560;
    for (const Row& row : step.rows) {
        b.label(row.caption, step.frame,
                {step.labelX, y + 15, step.valueX - step.labelX - 60, kLabelHeight});
        if (row.field)
            b.field(row.field, row.member, step.frame, {step.valueX, y, kFieldWidth, kFieldHeight});
        y += 360;
    }
}

void buildStep1Extras(LayoutBuilder& b) {
    Control& variant =
        b.hidden("Text73", "propellerBladeVariant", "Frame1", {1320, 120, 375, kFieldHeight}, "");
    variant.background = Background::LightYellow;
}

void buildStep4Extras(LayoutBuilder& b) {
    b.label("Type de batteries", "Frame4", {360, 3840, 1380, kLabelHeight});
    Control& pile = b.option("Option7", "Frame4", {1800, 3720, 1095, 255}, "Pile", "batteries");
    pile.member = "batteryKind";
    pile.selected = true;
    b.option("Option8", "Frame4", {1800, 3960, 1095, 255}, "Accu", "batteries");
    Control& cost = b.add(ControlKind::CheckBox, "Check1", "Frame4", {360, 4320, 2535, 435},
                          "Prendre en compte le coût des batteries");
    cost.member = "includeBatteryCost";
    Control& mass = b.add(ControlKind::CheckBox, "Check2", "Frame4", {360, 4800, 2535, 435},
                          "Prendre en compte la masse des batteries");
    mass.member = "includeBatteryMass";
    b.hidden("Text1", "pilePrice", "Frame4", {120, 4320, 255, kFieldHeight}, "Text1");
    b.hidden("Text8", "pileMass", "Frame4", {120, 4680, 255, kFieldHeight}, "Text1");
    b.hidden("Text16", "accuPrice", "Frame4", {2640, 3720, 255, kFieldHeight}, "Text1");
    b.hidden("Text24", "accuMass", "Frame4", {2640, 4080, 255, kFieldHeight}, "Text1");
}

// Steps 8 and 9: the chassis above or between the wheels of one end.
struct WheelPositionStep {
    const char* frame;
    const char* caption;
    Geometry geometry;
    const char* heading;
    const char* headingText;
    const char* picture;
    const char* preview;
    const char* above;  // option buttons: the chassis above, then between the wheels
    const char* aboveCaption;
    int optionX;
    int aboveY;
    const char* between;
    const char* betweenCaption;
    int betweenY;
    const char* aboveImage;
    const char* betweenImage;
    int imageHeight;
    const char* member;
    const char* group;
};

constexpr WheelPositionStep kWheelPositionSteps[] = {
    {.frame = "Frame8",
     .caption = "Etape 8",
     .geometry = {6360, 3840, 3015, 4335},
     .heading = "Text58",
     .headingText = "Position des roues avant",
     .picture = "Picture8",
     .preview = "Picture19",
     .above = "Option1",
     .aboveCaption = "Châssis au dessus des roues avant",
     .optionX = 1440,
     .aboveY = 120,
     .between = "Option2",
     .betweenCaption = "Châssis entre les roues avant",
     .betweenY = 840,
     .aboveImage = "Image7",
     .betweenImage = "Image8",
     .imageHeight = 2265,
     .member = "frontWheelPosition",
     .group = "front"},
    {.frame = "Frame9",
     .caption = "Etape 9",
     .geometry = {6360, 8160, 3015, 4215},
     .heading = "Text59",
     .headingText = "Position des roues arrière",
     .picture = "Picture12",
     .preview = "Picture20",
     .above = "Option3",
     .aboveCaption = "Châssis au dessus des roues arrière",
     .optionX = 1560,
     .aboveY = 240,
     .between = "Option4",
     .betweenCaption = "Châssis entre les roues arrière",
     .betweenY = 960,
     .aboveImage = "Image9",
     .betweenImage = "Image10",
     .imageHeight = 2280,
     .member = "rearWheelPosition",
     .group = "rear"},
};

void buildWheelPositionStep(LayoutBuilder& b, const WheelPositionStep& s) {
    b.frame(s.frame, s.caption, s.geometry);
    b.image(s.aboveImage, s.frame, {120, 1560, 2700, s.imageHeight},
            std::string(":/design/") + s.aboveImage + ".gif");
    b.image(s.betweenImage, s.frame, {120, 1560, 2700, s.imageHeight},
            std::string(":/design/") + s.betweenImage + ".gif");
    b.picture(s.picture, s.frame, 120, 240);
    b.picture(s.preview, s.frame, 960, 1920);
    const int width = 3015 - s.optionX - 120;
    Control& first =
        b.option(s.above, s.frame, {s.optionX, s.aboveY, width, 615}, s.aboveCaption, s.group);
    first.member = s.member;
    b.option(s.between, s.frame, {s.optionX, s.betweenY, width, 615}, s.betweenCaption, s.group);
    b.heading(s.heading, s.frame, {120, 3840, 2775, kFieldHeight}, s.headingText);
}

void buildPropellerPositionStep(LayoutBuilder& b) {
    b.frame("Frame10", "Etape 10", {9480, 0, 7095, 2295});
    b.image("Image4", "Frame10", {2160, 240, 735, 1500}, ":/design/Image4.gif");
    b.image("Image5", "Frame10", {6120, 240, 735, 1500}, ":/design/Image5.gif");
    b.image("Image17", "Frame10", {3120, 480, 2805, 1500}, ":/design/Image17.gif");
    b.label("Sens de déplacement", "Frame10", {3960, 240, 1695, 255});
    for (Control* arrow : {&b.line("Line3", "Frame10", 3720, 360, 2880, 360),
                           &b.line("Line4", "Frame10", 2880, 360, 3360, 240),
                           &b.line("Line5", "Frame10", 3360, 480, 2880, 360)}) {
        arrow->lineWidth = 3;
    }
    b.picture("Picture15", "Frame10", 120, 240);
    b.picture("Picture13", "Frame10", 3840, 600);
    Control& front = b.option("Option5", "Frame10", {2160, 1800, 855, 255}, "Avant", "propeller");
    front.member = "propellerPosition";
    b.option("Option6", "Frame10", {6120, 1800, 855, 255}, "Arrière", "propeller");
    b.heading("Text60", "Frame10", {120, 1560, 1935, kFieldHeight}, "Position de l'hélice");
}

// Steps 11 and 12: a wheel mounting from Train.txt.
struct MountingStep {
    const char* frame;
    const char* caption;
    Geometry geometry;
    const char* heading;
    const char* headingText;
    const char* list;
    const char* listMember;
    const char* picture;
    const char* preview;
    const char* image;
    Row code;
    Row description;
    Row mass;
    Row price;
};

const MountingStep kMountingSteps[] = {
    {.frame = "Frame11",
     .caption = "Etape 11",
     .geometry = {9480, 2280, 3495, 5055},
     .heading = "Text57",
     .headingText = "Montage roues avant",
     .list = "Combo8",
     .listMember = "frontMountingName",
     .picture = "Picture14",
     .preview = "Picture16",
     .image = "Image6",
     .code = {.field = "Text62", .member = "frontMountingCode"},
     .description = {.field = "Text63", .member = "frontMountingDescription"},
     .mass = {.field = "Text64", .member = "frontMountingMass"},
     .price = {.field = "Text65", .member = "frontMountingPrice"}},
    {.frame = "Frame13",
     .caption = "Etape 12",
     .geometry = {9480, 7320, 3495, 5055},
     .heading = "Text67",
     .headingText = "Montage roues arrière",
     .list = "Combo9",
     .listMember = "rearMountingName",
     .picture = "Picture10",
     .preview = "Picture17",
     .image = "Image14",
     .code = {.field = "Text68", .member = "rearMountingCode"},
     .description = {.field = "Text66", .member = "rearMountingDescription"},
     .mass = {.field = "Text69", .member = "rearMountingMass"},
     .price = {.field = "Text70", .member = "rearMountingPrice"}},
};

void buildMountingStep(LayoutBuilder& b, const MountingStep& s) {
    b.frame(s.frame, s.caption, s.geometry);
    b.image(s.image, s.frame, {120, 2280, 3135, 2295}, "");
    b.picture(s.picture, s.frame, 120, 240);
    b.picture(s.preview, s.frame, 1080, 2880);
    b.heading(s.heading, s.frame, {1440, 480, 1935, kFieldHeight}, s.headingText);
    b.list(s.list, s.listMember, s.frame, {1440, 840, 1815, 315}, "");
    Control& codeField =
        b.hidden(s.code.field, s.code.member, s.frame, {2040, 1200, kFieldWidth, kFieldHeight}, "");
    codeField.background = Background::LightYellow;
    b.label("Masse (g)", s.frame, {600, 1575, 1380, kLabelHeight});
    b.field(s.mass.field, s.mass.member, s.frame, {2040, 1560, kFieldWidth, kFieldHeight});
    b.label("Prix HT (Euros)", s.frame, {600, 1935, 1380, kLabelHeight});
    b.field(s.price.field, s.price.member, s.frame, {2040, 1920, kFieldWidth, kFieldHeight});
    b.field(s.description.field, s.description.member, s.frame, {120, 4680, 3135, kFieldHeight});
}

void buildMaterialStep(LayoutBuilder& b) {
    b.frame("Frame14", "Etape 13", {16680, 0, 4815, 2295});
    b.image("Image15", "Frame14", {1320, 600, 1200, 405}, ":/design/Image15.gif");
    b.image("Image16", "Frame14", {1440, 1320, 900, 870}, ":/design/Image16.gif");
    b.picture("Picture11", "Frame14", 120, 240);
    b.heading("Text71", "Frame14", {2280, 120, 1335, kFieldHeight}, "Matériau");
    b.list("Combo10", "chassisMaterialName", "Frame14", {2640, 600, 2055, 315}, "");
    b.hidden("Text80", "chassisMaterialThickness", "Frame14", {2760, 1080, 735, kFieldHeight},
             "Text80");
    b.hidden("Text81", "wheelSupportMaterialThickness", "Frame14", {3600, 1080, 735, kFieldHeight},
             "Text81");
    b.list("Combo11", "wheelSupportMaterialName", "Frame14", {2640, 1560, 2055, 315}, "");
}

void buildSketchStep(LayoutBuilder& b) {
    const char* f = "Frame12";
    b.frame(f, "Etape 14", {13080, 2280, 8415, 8295});
    b.image("Image11", f, {1440, 2400, 5250, 5745}, ":/design/Image11.gif");
    b.image("Image13", f, {1680, 1920, 4740, 4740}, ":/design/Image13.gif", true);
    for (const LineStart& l : kSketchLines) b.line(l.name, f, l.x1, l.y1, l.x2, l.y2);
    b.picture("Picture9", f, 120, 240);
    // Under the verdict, in the room left of the propeller's image; shown with a failing verdict.
    Control& fixes =
        b.add(ControlKind::Button, "queChanger", f, {120, 1440, 1440, 375}, "Que changer ?");
    fixes.toolTip = "Les changements d'une étape qui rendraient la conception conforme (F9)";
    fixes.visible = false;
    b.picture("Picture18", f, 3480, 3720);
    b.field("Text43", "axisHeight", f, {7080, 6240, 735, 315}, "Sol").bold = true;
    b.field("Text75", "overallHeight", f, {7560, 5520, 735, 315}, "0").bold = true;
    b.field("Text76", "sketchWheelDiameter", f, {6600, 6960, 615, 315}, "0");
    b.field("Text77", "sketchBaseToAxis", f, {720, 3480, 615, 315}, "XXXX");
    b.field("Text79", "clearance", f, {240, 6000, 615, 315}, "Text79");
    b.hidden("Text82", "sketchAxleDiameter", f, {3480, 6840, 1215, 375}, "Text82");
    Control& bar = b.add(ControlKind::ScrollBar, "VScroll1", f, {360, 6360, 255, 975});
    bar.minimum = 1;
    bar.maximum = 50;
    bar.smallChange = 1;
    bar.largeChange = 10;
    bar.value = 5;
    bar.toolTip = "Garde au sol (mm)";
    b.heading("Text61", f, {2880, 7800, 2415, kFieldHeight}, "Estimation encombrement");
}

void buildInformationPanel(LayoutBuilder& b) {
    const char* f = "Frame15";
    b.frame(f, "Informations", {13080, 10560, 4455, 1815});
    const struct {
        const char* labelName;
        const char* caption;
        const char* maxField;
        const char* maxMember;
        const char* valueField;
        const char* valueMember;
    } columns[] = {
        {"Label48", "Longueur Maxi (mm)", "Text85", "maxLength", nullptr, nullptr},
        {"Label49", "Largeur Maxi (mm)", "Text86", "maxWidth", nullptr, nullptr},
        {"Label50", "Hauteur Maxi (mm)", "Text87", "maxHeight", "Text90", "selectionHeight"},
        {"Label51", "Masse Maxi (g)", "Text88", "maxMass", "Text91", "selectionMass"},
        {"Label52", "Prix Maxi HT (euro)", "Text89", "maxPrice", "Text92", "selectionPrice"},
    };
    int x = 240;
    for (const auto& column : columns) {
        b.add(ControlKind::Label, column.labelName, f, {x, 240, 735, 495}, column.caption).centred =
            true;
        b.field(column.maxField, column.maxMember, f, {x, 720, 735, kFieldHeight}).background =
            Background::ButtonFace;
        if (column.valueField) {
            b.field(column.valueField, column.valueMember, f, {x, 1200, 735, kFieldHeight}).bold =
                true;
        }
        x += 840;
    }
    b.add(ControlKind::Label, "Label53", f, {360, 1215, 1335, kLabelHeight}, "Votre sélection");
}

}  // namespace

std::vector<Control> designLayout() {
    std::vector<Control> controls;
    controls.reserve(400);
    LayoutBuilder b(controls);
    for (const CatalogueStep& step : catalogueSteps()) {
        buildCatalogueStep(b, step);
        if (std::string(step.frame) == "Frame1") buildStep1Extras(b);
        if (std::string(step.frame) == "Frame4") buildStep4Extras(b);
    }
    // Step 1's "Dim mini / Axe (mm)" field stands on the window, over Frame1, in line with its row.
    b.field("Text7", "propellerMinAxisDim", "", {1800, 3360, kFieldWidth, kFieldHeight});

    for (const WheelPositionStep& step : kWheelPositionSteps) buildWheelPositionStep(b, step);
    buildPropellerPositionStep(b);
    for (const MountingStep& step : kMountingSteps) buildMountingStep(b, step);
    buildMaterialStep(b);
    buildSketchStep(b);
    buildInformationPanel(b);

    b.button("Command3", {17640, 10680, 1215, 495}, "A propos", "A propos");
    b.button("Command1", {17640, 11280, 1215, 495}, "Imprimer", "");
    b.button("quitter", {17640, 11880, 1215, 495}, "Quitter", "Sortir");
    b.image("Image12", "", {18960, 10800, 2505, 1515}, ":/design/Image12.jpg", true);
    b.hidden("Text74", "materialsComplete", "", {18840, 10680, 735, kFieldHeight}, "Text74");
    b.hidden("Text30", "rearPositionChosen", "", {19620, 10680, 735, kFieldHeight}, "Text30");
    b.hidden("Text36", "chassisCase", "", {20400, 10680, 735, kFieldHeight}, "Text36");
    nameControls(controls);
    return controls;
}
