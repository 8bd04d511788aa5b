#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "window/item_list.h"

// What kind of window control a Control stands for; the view builds the matching widget.
enum class ControlKind {
    Frame,
    TextField,
    Label,
    List,
    OptionButton,
    CheckBox,
    PictureBox,
    ImageBox,
    Line,
    ScrollBar,
    Button,
};

// Left, top, width and height in twips, relative to the containing frame or the window.
struct Geometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const Geometry&) const = default;
};

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kComplianceGreen{0, 192, 0};
inline constexpr Rgb kComplianceRed{255, 0, 0};
inline constexpr Rgb kLightYellow{255, 255, 192};

enum class Background { Default, LightYellow, ButtonFace };

// One control of the design window as plain data: its names, geometry and current state.
// Fields that do not apply to a control's kind keep their defaults.
struct Control {
    std::string name;    // control name from the design ("Text2", "Combo1", "Line7")
    std::string member;  // lowerCamel member name where the design gives one
    ControlKind kind = ControlKind::TextField;
    std::string parent;  // containing frame, empty for the window itself
    Geometry geometry;

    std::string text;  // field or list text, caption of labels, buttons and frames
    std::string toolTip;
    // What a screen reader says of the control: its step and caption, and for a value shown in
    // colour, its state in words.
    std::string accessibleName;
    std::string accessibleDescription;
    // Parts that do not fit together, « À vérifier : … », told beside the described tooltip.
    std::string remark;
    bool enabled = true;
    bool visible = true;
    bool readOnly = false;

    // Text fields.
    bool bold = false;
    bool centred = false;
    Background background = Background::Default;
    std::optional<Rgb> foreground;  // nothing: the toolkit's default

    // Lists.
    ItemList items;
    int selectionStart = 0;
    int selectionLength = 0;
    int chosenItem = -1;  // position in items of the item last picked, -1 before any pick
    // A reopened design chose an item that is gone from its catalogue: the step waits for a new
    // pick, and the design has no estimation until then.
    bool choiceMissing = false;

    // Option buttons (selected) and check boxes (0 clear, 1 ticked).
    bool selected = false;
    int checkValue = 0;
    std::string group;  // option buttons of one group exclude each other

    // Picture and image boxes: the Data file shown, or the design-time picture while empty.
    std::string pictureFile;
    std::string designPicture;  // resource name of the design-time picture, if any
    bool stretch = false;       // image box stretching its picture to its own size
    bool sunkenBorder = false;  // picture boxes: 2 pixels each side

    // Line shapes: end points in twips, pen width in pixels.
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int lineWidth = 1;

    // Scroll bar.
    int minimum = 0, maximum = 0, smallChange = 1, largeChange = 1, value = 0;

    bool operator==(const Control&) const = default;
};

// A step list whose pick is made: an item chosen, and not one gone from its catalogue.
inline bool hasChoice(const Control& list) {
    return list.chosenItem >= 0 && !list.choiceMissing;
}
