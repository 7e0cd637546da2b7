#include "shell/form1.h"

#include "platform/layout/geometry.h"

namespace vex {

namespace {

constexpr Font default_font{8.25, false};

struct LabelLook {
    Color fore;
    Color back;
    Font font;
    Alignment alignment;
    bool border;
};

constexpr LabelLook value_look(double points) { return {colors::blue, colors::grey, {points, true}, Alignment::Center, true}; }
constexpr LabelLook heading_look(double points) { return {colors::green, colors::white, {points, true}, Alignment::Center, true}; }
constexpr LabelLook button_look(double points) { return {colors::red, colors::button_face, {points, true}, Alignment::Center, false}; }
constexpr LabelLook ok_look{colors::button_text, colors::button_face, {13.5, true}, Alignment::Center, false};

// Where a control lies, in twips, and whether it shows at first.
template <typename Kind>
Kind& set_place(Kind& placed, float left, float top, float width, float height, bool visible) {
    placed.Left = left;
    placed.Top = top;
    placed.Width = width;
    placed.Height = height;
    placed.Visible = visible;
    return placed;
}

Label& place(Label& label, float left, float top, float width, float height, const char* caption, const LabelLook& look,
             bool visible = true) {
    label.Caption = caption;
    label.fore_color = look.fore;
    label.back_color = look.back;
    label.font = look.font;
    label.alignment = look.alignment;
    label.border = look.border;
    return set_place(label, left, top, width, height, visible);
}

Frame& place(Frame& frame, float left, float top, float width, float height, const char* caption) {
    frame.Caption = caption;
    frame.fore_color = colors::red;
    frame.back_color = colors::black;
    frame.font = default_font;
    return set_place(frame, left, top, width, height, false);
}

// A label as wide as its caption.
Label& auto_sized(Label& label) {
    label.auto_size = true;
    return label;
}

Line& place(Line& line, float x1, float y1, float x2, float y2, Color color, int pen_width, bool visible = true) {
    line.X1 = x1;
    line.Y1 = y1;
    line.X2 = x2;
    line.Y2 = y2;
    line.color = color;
    line.pen_width = pen_width;
    line.Visible = visible;
    return line;
}

// Pictures are shown unscaled, so an image's size is its picture's size in twips.
Image& place(Image& image, float left, float top, int width_px, int height_px, const char* picture, bool visible = true) {
    image.picture = picture;
    return set_place(image, left, top, static_cast<float>(width_px) * twips_per_pixel,
                     static_cast<float>(height_px) * twips_per_pixel, visible);
}

}  // namespace

Form1::Form1(Runtime& runtime) : Form(runtime) {
    Caption = "Devi Vavaz Vexoids From Hell";

    // Every control in control order: timers due on the same tick are raised in this order, and
    // later controls are drawn over earlier ones, frames and what they hold over all the rest.
    add(place(frmBady, 6120, 0, 1215, 735, "Hits Needed"));
    add(place(lblBady, 240, 240, 735, 375, "50", {colors::white, colors::black, {12, true}, Alignment::Center, true}),
        &frmBady);
    add(tmBady);
    add(tmRight);
    add(tmLeft);
    add(tmSpace);
    add(place(Frame1, 1800, 840, 3975, 2775, "About Devi Vavaz Vexoids"));
    add(place(Label5, 1680, 2160, 735, 375, "OK", ok_look, false), &Frame1);
    add(place(Label4, 240, 480, 3495, 1575,
              "Devi Vavaz Vexoids From Hell, drawn, scored and coded by the Vexoids Studio crew.",
              {colors::white, colors::black, {13.5, true}, Alignment::Center, false}, false),
        &Frame1);
    add(tmBrit);
    add(tmFire3);
    add(tmFire2);
    add(tmFire1);
    add(place(Frame2, 1800, 3720, 3975, 1815, "Game Instructions"));
    add(place(Label6, 480, 360, 3135, 855,
              "To start the game press \" S \" Move the spaceship around with the arrows, and shoot with ctrl. "
              "Try not to let the Evil Vexoids hit your spaceship",
              {colors::white, colors::black, default_font, Alignment::Left, false}, false),
        &Frame2);
    add(place(Label7, 1560, 1320, 735, 375, "OK", ok_look, false), &Frame2);
    add(place(Label8, 600, 2040, 6255, 1215, "GAME OVER",
              {colors::red, colors::black, {48.75, true}, Alignment::Center, false}, false));
    add(place(lblAcc, 7680, 6000, 1095, 375, "0", value_look(9.75)));
    add(place(Label14, 7680, 5640, 1095, 375, "Accuracy", heading_look(9.75)));
    add(place(lblHits, 7680, 5160, 975, 375, "0", value_look(9.75)));
    add(place(Label12, 7680, 4920, 975, 255, "Hits", heading_look(8.25)));
    add(place(lblShots, 7680, 4440, 975, 375, "0", value_look(9.75)));
    add(place(Label10, 7680, 4200, 975, 255, "Shots", heading_look(8.25)));
    add(place(Label9, 7680, 2280, 975, 375, "New Player", button_look(8.25)));
    add(place(Line10, 5520, 6120, 5520, 6220, colors::white, 1));
    add(place(Line9, 6600, 1920, 6600, 2020, colors::white, 1));
    add(place(Line8, 480, 360, 480, 460, colors::white, 1));
    add(place(Line7, 4800, 840, 4800, 940, colors::white, 1));
    add(place(Line6, 3240, 1920, 3240, 2020, colors::white, 1));
    add(place(Line5, 1800, 4200, 1800, 4300, colors::white, 1));
    add(place(Label3, 7680, 3600, 975, 375, "Exit", button_look(12)));
    add(place(Label2, 7680, 3240, 975, 255, "About", button_look(12)));
    add(place(Label1, 7680, 2760, 975, 375, "Instructions", button_look(8.25)));
    const LabelLook record_look{colors::light_blue, colors::button_face, {8.25, true}, Alignment::Left, true};
    add(auto_sized(place(lblHiscoren, 7560, 7200, 180, 255, "0", record_look)));
    add(place(lblHiscore, 7560, 6840, 1215, 375, "0",
              {colors::light_blue, colors::button_face, {12, true}, Alignment::Center, true}));
    add(place(lblforHiscore, 7560, 6480, 1215, 375, "Hi Score:", heading_look(12)));
    add(place(lblLives, 7560, 1800, 1215, 375, "2", value_look(13.5)));
    add(place(lblforLives, 7560, 1440, 1215, 375, "Lives:", heading_look(12)));
    add(place(lblScore, 7560, 960, 1215, 375, "0", value_look(13.5)));
    add(place(lblforScore, 7560, 600, 1215, 375, "Score:", heading_look(12)));
    add(auto_sized(place(lblPlayer, 7560, 120, 585, 255, "player",
                         {colors::green, colors::white, {8.25, true}, Alignment::Left, true})));
    add(place(Line1, 7440, 7560, 7440, 0, colors::white, 1));
    add(place(imgBrit4, 5160, 600, 51, 72, "pictures/brit4.gif"));
    add(place(imgBrit3, 3840, 600, 42, 80, "pictures/brit3.gif"));
    add(place(imgBrit2, 2160, 600, 70, 60, "pictures/brit2.gif"));
    add(place(imgBrit1, 720, 600, 61, 70, "pictures/brit1.gif"));
    add(place(Line4, 1200, 3720, 1200, 4080, colors::purple, 3, false));
    add(place(Line3, 960, 3720, 960, 4080, colors::lime, 3, false));
    add(place(Line2, 720, 3720, 720, 4080, colors::yellow, 3, false));
    add(place(imgShip, 3000, 6480, 39, 70, "pictures/ship.jpg"));
    add(place(imgBady, 120, 5160, 164, 133, "pictures/bady.bmp", false));
    add(place(lblLevel, 120, 120, 1095, 255, "LEVEL: 1",
              {colors::lime, colors::black, {9.75, true}, Alignment::Center, false}));

    wire_events();
    // The starfield runs from the moment the window exists.
    tmSpace.Enabled = true;
}

void Form1::wire_events() {
    Label1.Click = [this] { Label1_Click(); };
    Label2.Click = [this] { Label2_Click(); };
    Label3.Click = [this] { Label3_Click(); };
    Label5.Click = [this] { Label5_Click(); };
    Label7.Click = [this] { Label7_Click(); };
    Label9.Click = [this] { Label9_Click(); };
    tmBady.on_timer = [this] { tmBady_Timer(); };
    tmRight.on_timer = [this] { tmRight_Timer(); };
    tmLeft.on_timer = [this] { tmLeft_Timer(); };
    tmSpace.on_timer = [this] { tmSpace_Timer(); };
    tmBrit.on_timer = [this] { tmBrit_Timer(); };
    tmFire3.on_timer = [this] { tmFire3_Timer(); };
    tmFire2.on_timer = [this] { tmFire2_Timer(); };
    tmFire1.on_timer = [this] { tmFire1_Timer(); };
}

}  // namespace vex
