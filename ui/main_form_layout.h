#pragma once

// The main window's layout in pixels, written once: the window places its controls
// by it, and its test checks what the window shows against it.

#include <QRect>

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace main_form_layout {

// The client area below the menu bar is kClientWidth x kClientHeight, the status bar its
// bottom kStatusBarHeight pixels.
inline constexpr int kClientWidth = 447;
inline constexpr int kClientHeight = 304;
inline constexpr int kStatusBarHeight = 21;

struct ControlPlace {
    std::string_view name;  // the control's object name
    QRect place;            // in the client area, or in GroupBox1 for its children; a label's least size
};

inline constexpr std::array kControls{
    ControlPlace{"Label3", {8, 8, 72, 13}},           ControlPlace{"Edit1", {88, 8, 233, 21}},
    ControlPlace{"Button3", {328, 8, 105, 25}},       ControlPlace{"RadioGroup1", {8, 40, 425, 121}},
    ControlPlace{"RadioButton1", {16, 56, 233, 17}},  ControlPlace{"RadioButton2", {16, 72, 273, 17}},
    ControlPlace{"RadioButton3", {16, 88, 265, 17}},  ControlPlace{"RadioButton4", {16, 104, 377, 17}},
    ControlPlace{"RadioButton5", {16, 120, 193, 17}}, ControlPlace{"Edit2", {232, 120, 33, 17}},
    ControlPlace{"Edit3", {288, 120, 33, 17}},        ControlPlace{"RadioButton6", {16, 136, 193, 17}},
    ControlPlace{"GroupBox1", {8, 168, 425, 41}},     ControlPlace{"Label4", {112, 16, 264, 13}},  // in GroupBox1
    ControlPlace{"Edit4", {224, 16, 33, 17}},                                                      // in GroupBox1
    ControlPlace{"Edit5", {384, 16, 33, 17}},                                                      // in GroupBox1
    ControlPlace{"Button1", {8, 216, 105, 25}},       ControlPlace{"Button2", {120, 216, 89, 25}},
    ControlPlace{"Label1", {275, 224, 3, 13}},        ControlPlace{"Label2", {331, 224, 3, 13}},
    ControlPlace{"DataLabel1", {8, 252, 72, 13}},     ControlPlace{"DataEdit1", {88, 248, 233, 21}},
    ControlPlace{"DataButton1", {328, 248, 105, 25}},  // the row of a MathProg model's data file, added below
};

// The place of the control of that name; a name the layout lacks is a mistake of the program.
inline QRect place_of(std::string_view name) {
    for (const ControlPlace& control : kControls) {
        if (control.name == name) return control.place;
    }
    throw std::logic_error("the main window's layout has no control " + std::string(name));
}

}  // namespace main_form_layout
