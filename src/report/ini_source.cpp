#include "report/ini_source.hpp"

#include "common/opened_file.hpp"
#include "ini_rules/pass_extent.hpp"

namespace checker {
namespace {

std::string_view why(OpenFailure failure) {
    switch (failure) {
    case OpenFailure::denied:
        return tr("no permission to read it");
    case OpenFailure::locked:
        return tr("another program holds it open");
    case OpenFailure::not_regular:
        return tr("it is no ordinary file");
    default:
        return tr("the system refuses it");
    }
}

} // namespace

std::size_t largest_ini() {
    return pass_read_limit;
}

IniSource read_ini_source(const std::filesystem::path& path, const std::string& shown) {
    std::error_code error;
    const Arg named = text_arg("path", shown);
    if (std::filesystem::is_directory(path, error))
        return {std::nullopt, make_finding(Rule::file_is_folder, 0, {named})};
    OpenFailure failure = OpenFailure::other;
    const auto file = OpenedFile::open(path, &failure);
    if (!file && failure == OpenFailure::missing)
        return {std::nullopt, make_finding(Rule::file_missing, 0, {named})};
    if (!file)
        return {std::nullopt,
                make_finding(Rule::file_unreadable, 0, {named, term_arg("why", why(failure))})};
    IniSource source{file->read(0, largest_ini()), std::nullopt};
    if (file->size() > largest_ini())
        source.finding = make_finding(Rule::file_too_large, 0,
                                      {number_arg("size", static_cast<long long>(file->size())),
                                       number_arg("limit", static_cast<long long>(largest_ini()))});
    return source;
}

Report game_report(const std::filesystem::path& game, const AnsiLength& ansi_length,
                   bool& unreadable) {
    InstallDiagnosis install = diagnose_install(game, ansi_length);
    unreadable = false;
    if (install.counting < 0) return install_report(std::move(install), "", {});
    const std::string shown = install.candidates_shown[install.counting];
    const std::filesystem::path path = *install.candidates[install.counting];
    // A folder in the ini's place is said by the install; the plugin reads nothing there.
    std::error_code ignored;
    const IniSource source =
        std::filesystem::is_directory(path, ignored) ? IniSource{} : read_ini_source(path, shown);
    unreadable = !source.bytes && source.finding;
    return install_report(std::move(install), shown, source);
}

} // namespace checker
