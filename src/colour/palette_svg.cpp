#include "colour/palette_svg.hpp"

#include "common/printable.hpp"
#include "common/translatable.hpp"
#include "hud/hud_setting_table.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <numbers>

namespace checker {
namespace {

// The value a component will hold in the game: what the plugin writes, or, for a
// skipped component, the default (the game's own value is not known here).
double effective(const SettingReport& setting, int component) {
    const auto& written = setting.writes[component];
    if (written)
        return written->kind == hud::RecordedWrite::Kind::real ? double(written->real)
                                                               : double(written->byte);
    const auto& row = hud::hud_setting_table[setting.row];
    return component < 3 ? row.defaults.components[component] : 255;
}

// A key of the table named where the picture draws it: one that is not in the table does
// not build.
struct Key {
    std::size_t row;
    consteval Key(const char* key) : row(hud::row_of(key)) {}
    const char* name() const { return hud::hud_setting_table[row].key; }
};

// One part of a label: a key, and what of it is drawn ("box", "fill"), if that is not clear.
struct LabelPart {
    Key key;
    std::string_view what = {};
};

class Canvas {
public:
    Canvas(const CheckReport& report, const Catalogue& language)
        : report_(report), language_(language) {}

    std::string said(std::string_view english) const {
        return std::string{language_.text(english)};
    }

    const SettingReport& setting(Key key) const { return report_.settings[key.row]; }

    std::string paint(Key key) const {
        const SettingReport& s = setting(key);
        char text[64];
        const double alpha = s.writes.size() == 4 ? effective(s, 3) / 255.0 : 1.0;
        std::snprintf(text, sizeof text, "fill=\"rgb(%d,%d,%d)\" fill-opacity=\"%.3f\"",
                      int(effective(s, 0)), int(effective(s, 1)), int(effective(s, 2)), alpha);
        // The key on every painted element, for pages that let a player pick it.
        return text + std::string{" data-key=\""} + key.name() + "\"";
    }
    std::string stroke(Key key) const {
        std::string fill = paint(key);
        fill.replace(0, 4, "stroke");
        fill.replace(fill.find("fill-opacity"), 12, "stroke-opacity");
        return fill + " fill=\"none\" stroke-width=\"3\"";
    }
    double number(Key key) const { return effective(setting(key), 0); }

    // Words wider than `widest` (a translation can be) are squeezed to it, not let run on.
    void text(double x, double y, int size, Key key, const std::string& words,
              double widest = picture_width) {
        constexpr double glyph_em = 0.7; // bold capitals, about
        const bool squeezed = code_points(words) * size * glyph_em > widest;
        out_ += element("text", x, y) + " font-size=\"" + std::to_string(size) +
                "\" font-family=\"Arial Black, Arial, sans-serif\" font-weight=\"bold\" " +
                (squeezed ? "textLength=\"" + std::to_string(int(widest)) +
                                "\" lengthAdjust=\"spacingAndGlyphs\" "
                          : std::string{}) +
                paint(key) + ">" + words + "</text>\n";
    }
    // The keys drawn nearby, with the value of a style or a size.
    void label(double x, double y, std::initializer_list<LabelPart> parts) {
        std::string words;
        for (const LabelPart& part : parts) {
            words += words.empty() ? "" : ", ";
            const auto kind = hud::hud_setting_table[part.key.row].kind;
            if (kind == hud::SettingKind::Integer)
                words += style(part.key);
            else if (kind == hud::SettingKind::Float)
                words += size(part.key);
            else
                words += part.key.name();
            if (!part.what.empty()) words += " (" + said(part.what) + ")";
        }
        label_text(x, y, words);
    }
    // On a dark band of its own, so it reads on the lit windows of a scene or a screenshot.
    void label_text(double x, double y, const std::string& words) {
        constexpr double glyph_width = 6.7, margin = 2; // 11 px monospace
        char band[160];
        std::snprintf(band, sizeof band,
                      "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"14\" rx=\"2\" "
                      "fill=\"#000\" fill-opacity=\"0.6\"/>",
                      x - margin, y - 11, code_points(words) * glyph_width + 2 * margin);
        out_ += band + element("text", x, y) +
                " font-size=\"11\" font-family=\"monospace\" fill=\"#d8d8d8\">" + words +
                "</text>\n";
    }
    void raw(const std::string& svg) { out_ += svg + "\n"; }
    std::string style(Key key) const {
        return std::string{key.name()} + " " + std::to_string(int(number(key)));
    }
    std::string size(Key key) const {
        char text[64];
        std::snprintf(text, sizeof text, "%s %g", key.name(), number(key));
        return text;
    }
    const std::string& svg() const { return out_; }

private:
    static std::string element(const char* name, double x, double y) {
        char text[64];
        std::snprintf(text, sizeof text, "<%s x=\"%.1f\" y=\"%.1f\"", name, x, y);
        return text;
    }
    const CheckReport& report_;
    const Catalogue& language_;
    std::string out_;
};

std::string star(double cx, double cy, double r, const std::string& paint) {
    std::string points;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 ? r * 0.45 : r;
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        char p[40];
        std::snprintf(p, sizeof p, "%.1f,%.1f ", cx + radius * std::cos(angle),
                      cy + radius * std::sin(angle));
        points += p;
    }
    return "<polygon points=\"" + points + "\" " + paint + "/>";
}

std::string crosshair(double cx, double cy, double r, const std::string& stroke) {
    char svg[512];
    std::snprintf(svg, sizeof svg,
                  "<g %s><circle cx=\"%.1f\" cy=\"%.1f\" r=\"%.1f\"/>"
                  "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"/>"
                  "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"/></g>",
                  stroke.c_str(), cx, cy, r, cx - r * 1.3, cy, cx + r * 1.3, cy, cx, cy - r * 1.3,
                  cx, cy + r * 1.3);
    return svg;
}

// A drawable radius for a cursor size, whatever the ini held.
double radius(double size, double scale) {
    if (!std::isfinite(size)) return 4;
    return std::clamp(std::fabs(size) * scale, 4.0, 90.0);
}

void draw_status(Canvas& c) {
    c.text(600, 50, 30, "TimeColor", "12:34");
    c.label(600, 64, {{"TimeColor"}, {"TimeTextStyle"}});
    c.text(560, 100, 30, "MoneyColor", "$00012345");
    c.label(560, 114, {{"MoneyColor"}, {"MoneyTextStyle"}});
    const Key states[] = {"WantedActiveColor",    "WantedActiveColor",    "WantedFlashColor",
                          "WantedNotActiveColor", "WantedNotActiveColor", "WantedNotActiveColor"};
    for (int i = 0; i < 6; ++i)
        c.raw(star(560 + i * 36, 140, 15, c.paint(states[i])));
    c.label(540, 170, {{"WantedActiveColor"}, {"WantedFlashColor"}, {"WantedNotActiveColor"}});
    c.raw("<path d=\"M560 200 l10 -10 a7 7 0 0 1 10 10 l-20 20 l-20 -20 a7 7 0 0 1 10 -10z\" " +
          c.paint("HealthIconColor") + "/>");
    c.text(590, 212, 24, "HealthNumberColor", "100");
    // The shield well clear of the health number, so the two read as two.
    c.raw("<path d=\"M678 190 l18 6 v10 q0 12 -18 18 q-18 -6 -18 -18 v-10z\" " +
          c.paint("ArmourIconColor") + "/>");
    c.text(703, 212, 24, "ArmourNumberColor", "100");
    c.label(540, 236, {{"HealthIconColor"}, {"HealthNumberColor"}});
    c.label(540, 252, {{"ArmourIconColor"}, {"ArmourNumberColor"}});
    c.label(540, 268, {{"HealthAndArmourTextStyle"}});
    c.text(620, 300, 22, "BulletNumberColor", "30-120");
    c.label(560, 316, {{"BulletNumberColor"}, {"BulletNumberTextStyle"}});
}

void draw_messages(Canvas& c) {
    c.raw("<rect x=\"20\" y=\"20\" width=\"300\" height=\"80\" rx=\"6\" " + c.paint("Messagebox") +
          "/>");
    c.text(36, 56, 16, "Messagebox2", c.said(tr("Press the button to")));
    c.text(36, 80, 16, "Messagebox2", c.said(tr("enter the vehicle.")));
    c.label(20, 114, {{"Messagebox", tr("box")}, {"Messagebox2", tr("text")}});
    c.text(150, 330, 40, "Styledtext", c.said(tr("MISSION PASSED")), 400);
    c.label(150, 346, {{"Styledtext"}});
    c.text(280, 410, 48, "WastedBusted", "WASTED");
    c.label(280, 426, {{"WastedBustedTextStyle"}, {"WastedBusted"}});
}

void draw_timers(Canvas& c) {
    c.text(20, 160, 22, "TimerColor", c.said(tr("TIME")) + " 01:30");
    c.label(20, 174, {{"TimerColor"}, {"TimerTextStyle"}});
    c.text(20, 205, 22, "CounterColor", c.said(tr("COUNTER")) + " 3");
    c.label(20, 219, {{"CounterColor"}});
    c.raw("<rect x=\"20\" y=\"232\" width=\"160\" height=\"14\" " + c.paint("Counter2Color") +
          "/>");
    c.raw("<rect x=\"20\" y=\"232\" width=\"100\" height=\"14\" " + c.paint("Counter3Color") +
          "/>");
    c.label(20, 260, {{"Counter2Color", tr("bar")}, {"Counter3Color", tr("fill")}});
}

void draw_names_and_cursors(Canvas& c) {
    c.text(520, 520, 26, "ZoneColor", "Ocean Beach");
    c.label(520, 534, {{"ZoneColor"}, {"ZoneTextStyle"}});
    c.text(560, 570, 26, "VehicleColor", "Infernus");
    c.label(560, 584, {{"VehicleColor"}, {"VehicleTextStyle"}});

    const double all = c.number("AllWeaponsCursorSize");
    c.raw(crosshair(70, 520, radius(c.number("RiflesCursorNoZoomSize"), 60),
                    c.stroke("RiflesCursorNoZoomColor")));
    c.label(20, 600, {{"RiflesCursorNoZoomColor"}, {"RiflesCursorNoZoomSize"}});
    c.raw(crosshair(230, 520, 30, c.stroke("RiflesCursorZoomColor")));
    c.label(190, 586, {{"RiflesCursorZoomColor"}});
    c.raw(crosshair(380, 520, radius(all * c.number("OtherWeaponsCursorSize"), 1),
                    c.stroke("NormalWeaponsCursorColor")));
    c.label(300, 614,
            {{"NormalWeaponsCursorColor"}, {"OtherWeaponsCursorSize"}, {"AllWeaponsCursorSize"}});
}

} // namespace

std::string palette_svg(const CheckReport& report, const Catalogue& language) {
    Canvas canvas{report, language};
    draw_status(canvas);
    draw_messages(canvas);
    draw_timers(canvas);
    draw_names_and_cursors(canvas);
    const std::string width = std::to_string(picture_width),
                      height = std::to_string(picture_height);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height +
           "\">\n"
           "<title>" +
           canvas.said(tr("Tessivar HUD palette")) +
           "</title>\n"
           "<defs><linearGradient id=\"sky\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
           "<stop offset=\"0\" stop-color=\"#3a4a6b\"/><stop offset=\"1\" "
           "stop-color=\"#1c2330\"/></linearGradient></defs>\n"
           "<rect width=\"" +
           width + "\" height=\"" + height + "\" fill=\"url(#sky)\"/>\n" + canvas.svg() +
           "</svg>\n";
}

} // namespace checker
