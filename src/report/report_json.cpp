#include "report/report_json.hpp"

#include "common/float_text.hpp"
#include "common/json_text.hpp"
#include "findings/render.hpp"
#include "hud/hud_setting_table.hpp"

namespace checker {
namespace {

std::string fix_json(const Fix& fix) {
    std::string out = "{\"action\":" + json_string(action_name(fix.action));
    switch (fix.action) {
    case FixAction::rename:
        return out + ",\"from\":" + json_string(fix.from) + ",\"to\":" + json_string(fix.to) + "}";
    case FixAction::delete_file:
        return out + ",\"file\":" + json_string(fix.from) + "}";
    default:
        break;
    }
    out += ",\"file\":" + json_string(fix.file);
    if (fix.line) out += ",\"line\":" + std::to_string(fix.line);
    if (fix.action == FixAction::replace_line || fix.action == FixAction::append_line)
        out += ",\"text\":" + json_string(fix.text);
    return out + "}";
}

std::string component_text(const SettingReport& setting, std::size_t i) {
    if (hud::hud_setting_table[setting.row].kind == hud::SettingKind::Float)
        return shortest_float_text(static_cast<float>(setting.parsed[i]));
    return std::to_string(static_cast<long long>(setting.parsed[i]));
}

std::string setting_json(const SettingReport& setting) {
    std::string written = "[";
    for (std::size_t i = 0; i < setting.writes.size(); ++i) {
        const auto& write = setting.writes[i];
        written += i ? "," : "";
        if (!write)
            written += "null";
        else if (write->kind == hud::RecordedWrite::Kind::real)
            written += json_string(shortest_float_text(write->real));
        else
            written += std::to_string(write->byte);
    }
    return "{\"key\":" + json_string(hud::hud_setting_table[setting.row].key) +
           ",\"value\":" + json_string(setting_value_text(setting)) +
           ",\"line\":" + (setting.line ? std::to_string(setting.line) : "null") +
           ",\"written\":" + written + "]}";
}

} // namespace

std::string setting_value_text(const SettingReport& setting) {
    std::string text;
    for (std::size_t i = 0; i < setting.parsed.size(); ++i) {
        if (i) text += ' ';
        text += component_text(setting, i);
    }
    return text;
}

std::string finding_json(const Finding& finding, const Catalogue& language) {
    const RuleText& rule = rule_text(finding.rule);
    std::string out = "{\"code\":" + json_string(rule.code) +
                      ",\"severity\":" + json_string(severity_name(finding.severity)) +
                      ",\"message\":" + json_string(message_of(finding, language));
    if (const std::string advice = advice_of(finding, language); !advice.empty())
        out += ",\"advice\":" + json_string(advice);
    if (!finding.file.empty()) out += ",\"file\":" + json_string(finding.file);
    if (finding.line) out += ",\"line\":" + std::to_string(finding.line);
    if (!finding.key.empty()) out += ",\"key\":" + json_string(finding.key);
    if (finding.fix) out += ",\"fix\":" + fix_json(*finding.fix);
    return out + "}";
}

std::string report_json(const Report& report, const Catalogue& language, std::string_view version,
                        std::size_t most_findings) {
    std::string out = "{\"schema\":1,\"version\":" + json_string(version) +
                      ",\"language\":" + json_string(language.code()) + ",\"answer\":{" +
                      "\"verdict\":" + json_string(verdict_id(report.answer.verdict)) +
                      ",\"code\":" + json_string(rule_text(report.decisive().rule).code) +
                      ",\"message\":" + json_string(answer_sentence(report, language)) + "}";
    out += ",\"ini\":{\"path\":" + (report.ini_path ? json_string(*report.ini_path) : "null") +
           ",\"encoding\":" + (report.encoding.empty() ? "null" : json_string(report.encoding)) +
           "}";
    out += ",\"settings\":[";
    for (std::size_t i = 0; i < report.ini.settings.size(); ++i)
        out += (i ? ",\n" : "\n") + setting_json(report.ini.settings[i]);
    out += "],\"findings\":[";
    for (std::size_t i = 0; i < report.findings.size() && i < most_findings; ++i)
        out += (i ? ",\n" : "\n") + finding_json(report.findings[i], language);
    out += "]";
    if (report.findings.size() > most_findings)
        out += ",\"findingCount\":" + std::to_string(report.findings.size());
    return out + "}\n";
}

} // namespace checker
