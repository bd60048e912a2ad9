#include "findings/rules.hpp"

namespace checker {
namespace {

using enum Severity;

// One row a rule: its code, its usual severity, its message (and the plural one, where a
// count decides), and what to do. Keep the codes: a published code is never reused.
// clang-format off
constexpr std::array<RuleText, rule_count> rules{{
    {Rule::reads_as_written, "INI000", info,
     tr("the plugin reads this file as written"), {}, {}},
    {Rule::utf16_file, "INI001", error,
     tr("the file is saved as UTF-16 (Notepad's \"Unicode\"): the plugin finds no setting in "
        "it, and every setting takes its default"), {},
     {tr("in Notepad: File, Save As, Encoding \"ANSI\" or \"UTF-8\"; or write a new one with "
         "{checker} --template --output {ini_name}")}},
    {Rule::empty_file, "INI002", warning,
     tr("the file is empty: every setting takes its default"), {},
     {tr("copy the lines you want to change from the template ({checker} --template)")}},
    {Rule::mark_spoils_key, "INI003", error,
     tr("byte-order mark at the start of the file: the first line's key is not \"{key}\" to "
        "the plugin, so {key} keeps its default"), {},
     {tr("save the file without it: in Notepad, Save As with Encoding \"ANSI\" (or \"UTF-8\", "
         "not \"UTF-8 with BOM\")")}},
    {Rule::mark_at_start, "INI004", warning,
     tr("byte-order mark at the start of the file: the plugin reads it as part of the first "
        "line"), {},
     {tr("save the file without it: in Notepad, Save As with Encoding \"ANSI\" (or \"UTF-8\", "
         "not \"UTF-8 with BOM\")")}},
    {Rule::ctrl_z, "INI005", error,
     tr("a Ctrl-Z character (0x1A): the plugin stops reading the file there"), {},
     {tr("remove it; the lines after it are not read")}},
    {Rule::carriage_returns_only, "INI006", error,
     tr("carriage returns but no line feeds: the plugin reads the whole file as one line"), {},
     {tr("save it with Windows (CR LF) or Unix (LF) line ends")}},
    {Rule::lone_carriage_return, "INI007", error,
     tr("a carriage return without a line feed: the plugin reads what follows it as part of "
        "this line"), {},
     {tr("save it with Windows (CR LF) or Unix (LF) line ends")}},
    {Rule::long_line, "INI008", warning,
     tr("line longer than 255 bytes: the plugin reads 255 bytes at a time, and the rest of "
        "this line as a line of its own"), {},
     {tr("make the line shorter")}},
    {Rule::lines_beyond_bound, "INI009", warning,
     tr("the plugin reads only the first {limit} lines of the file (a line longer than 255 "
        "bytes counts once for every 255 bytes) and ignores everything from here on"), {},
     {tr("keep only your settings in the file ({checker} --template shows them all)")}},
    {Rule::settings_beyond_bound, "INI010", error,
     tr("the plugin reads only the first {limit} lines of the file (a line longer than 255 "
        "bytes counts once for every 255 bytes) and ignores everything from here on, {keys} "
        "included"), {},
     {tr("move your settings to the top of the file, or keep only them ({checker} "
         "--template shows them all)")}},
    {Rule::file_too_large, "INI011", warning,
     tr("the file is {size} bytes long, far more than an ini holds: the checker reads its "
        "first {limit} bytes, more than the plugin reads"), {},
     {tr("keep only the settings in it ({checker} --template shows them all)")}},
    {Rule::file_unreadable, "INI012", error,
     tr("{path} cannot be read ({why}): the plugin cannot read it either, and every setting "
        "takes its default"), {},
     {tr("close the program that holds it open, or give your account the right to read it")}},
    {Rule::file_missing, "INI013", error,
     tr("{path} does not exist"), {},
     {tr("name the ini to check, or run the checker in the game folder")}},
    {Rule::file_is_folder, "INI014", error,
     tr("{path} is a folder, not a file; the plugin reads nothing from it and uses its "
        "defaults"), {},
     {tr("name the ini itself, not its folder")}},

    {Rule::section_header, "INI020", info,
     tr("section header \"{text}\""), {},
     {tr("sections mean nothing to the plugin; the line is ignored")}},
    {Rule::no_equals, "INI021", error,
     tr("no \"=\" on this line"), {},
     {tr("write {line}"), tr("write {key}= and its value"), tr("write each setting as Key=value"),
      tr("remove this line: {key} is set on line {other}, which counts")}},
    {Rule::unknown_key, "INI022", warning,
     tr("unknown key \"{typed}\""), {},
     {tr("the plugin does not use this key; remove the line")}},
    {Rule::misspelt_key, "INI023", error,
     tr("unknown key \"{typed}\": did you mean \"{key}\"?"), {},
     {tr("write {line} ({cause})")}},
    {Rule::misspelt_key_set, "INI024", warning,
     tr("unknown key \"{typed}\": did you mean \"{key}\"?"), {},
     {tr("remove this line: {key} is already set on line {other}")}},
    {Rule::repeated_key, "INI025", warning,
     tr("\"{typed}\" again on line {other}"), {},
     {tr("line {other} wins; remove the others")}},

    {Rule::foreign_colour_form, "INI030", error,
     tr("\"{key}\" is written with {form} (\"{value}\"): the plugin reads decimal numbers "
        "separated by blanks, and gets {gets} instead of {meant}"), {},
     {tr("write {line}")}},
    {Rule::foreign_colour_form_same, "INI031", warning,
     tr("\"{key}\" is written with {form} (\"{value}\"): the plugin reads decimal numbers "
        "separated by blanks, and gets {gets} only by chance"), {},
     {tr("write {line}")}},
    {Rule::extra_numbers, "INI032", warning,
     tr("\"{key}\" has {count} numbers: it has no alpha; the plugin uses {used} and ignores "
        "the rest"), {},
     {tr("write {line}")}},
    {Rule::extra_numbers_alpha, "INI033", warning,
     tr("\"{key}\" has {count} numbers: the plugin uses {used} as the colour and {alpha} as "
        "its alpha{effect}, and ignores the rest"), {},
     {tr("write {line} (with that alpha), or {solid} (solid)")}},
    {Rule::missing_numbers, "INI034", error,
     tr("\"{key}\" has {count} of its 3 numbers: the plugin writes {gets}, not the default"),
     tr_plural("\"{key}\" has {count} of its 3 numbers: the plugin writes {gets}, not the "
               "default"),
     {tr("write {line} (the missing ones as the default)")}},
    {Rule::empty_colour, "INI035", error,
     tr("\"{key}\" is empty: the plugin writes {gets}, not the default"), {},
     {tr("write {line} (the default)")}},
    {Rule::text_after_numbers, "INI036", warning,
     tr("text after the numbers of \"{key}\": \"{rest}\"; the plugin ignores it"), {},
     {tr("write {line}")}},
    {Rule::decimal_comma, "INI037", error,
     tr("\"{key}\" is written with a decimal comma (\"{value}\"): the plugin reads {reads}"), {},
     {tr("write {line}")}},
    {Rule::not_a_number, "INI038", error,
     tr("\"{key}\" is not a number: \"{value}\"; the plugin writes 0, not the default"), {},
     {tr("write {line} (the default)")}},
    {Rule::empty_number, "INI039", error,
     tr("\"{key}\" is empty; the plugin writes 0, not the default"), {},
     {tr("write {line} (the default)")}},
    {Rule::unusual_size, "INI040", error,
     tr("\"{key}\" is \"{value}\": the plugin writes {size} into the game as the size"), {},
     {tr("write {line} (the default; sizes from half to twice it are usual)")}},
    {Rule::text_after_number, "INI041", warning,
     tr("text after the number of \"{key}\": \"{rest}\"; the plugin ignores it"), {},
     {tr("write {line}")}},
    {Rule::outside_byte_range, "INI042", error,
     tr("\"{key}\" {components} is outside 0..255: this component keeps the game's own value"),
     tr("\"{key}\" {components} are outside 0..255: these components keep the game's own "
        "values"),
     {tr("write {line}")}},

    {Rule::colours_apply, "INSTALL-001", info,
     tr("{loader} loads {plugin} into {game}, and the plugin reads your colours from {ini}"), {},
     {}},
    {Rule::no_game_executable, "INSTALL-002", warning,
     tr("there is no game executable in this folder"), {},
     {tr("run the checker in the game folder, or name that folder with --game")}},
    {Rule::unsupported_build, "INSTALL-003", error,
     tr("this build of the game is not supported: {exe} holds none of the three build "
        "signatures the plugin knows, so the plugin does nothing in it"), {},
     {tr("the plugin works only in the three builds it knows")}},
    {Rule::no_game_among, "INSTALL-004", warning,
     tr("no executable here looks like the game (only {names})"), {},
     {tr("run the checker in the game folder, or name that folder with --game")}},
    {Rule::no_known_build_among, "INSTALL-005", error,
     tr("none of {names} is a build of the game the plugin knows: it does nothing in any of "
        "them"), {},
     {tr("the plugin works only in the three builds it knows")}},
    {Rule::game_build, "INSTALL-006", info,
     tr("{exe}: build {build} of the game; the plugin hooks its call at {site}"), {}, {}},
    {Rule::companion_program, "INSTALL-007", info,
     tr("{exe}: not the game (an installer, a launcher or a tool)"), {}, {}},
    {Rule::unknown_executable, "INSTALL-008", info,
     tr("{exe}: not one of the three builds the plugin knows; the plugin does nothing in it"),
     {}, {}},

    {Rule::game_elsewhere, "INSTALL-043", error,
     tr("{exe} is made to load at {base}, not at 0x400000 where the game's HUD is: the plugin "
        "hooks its call, but writes no colour"), {},
     {tr("use the game's own executable, which loads at 0x400000")}},
    {Rule::game_may_move, "INSTALL-044", error,
     tr("{exe} lets Windows load it at another place at each start (it asks for ASLR and keeps "
        "its relocations): away from 0x400000 the plugin writes no colour"), {},
     {tr("use the game's own executable, which loads at 0x400000")}},
    {Rule::call_site_replaced, "INSTALL-045", error,
     tr("at {site} {exe} holds no call but {bytes} (another mod's jump, or a changed "
        "executable): the plugin leaves the game alone there and writes no colour"), {},
     {tr("use the game's own executable, or remove the mod that changed it")}},
    {Rule::game_path_too_long, "INSTALL-046", error,
     tr("{exe}: its full path is {length} characters long, and Windows gives the plugin no path "
        "of 260 or more: it finds no ini and uses its defaults"), {},
     {tr("move the game to a shorter path, such as C:\\Games\\")}},
    {Rule::proxy_not_a_library, "INSTALL-010", warning,
     tr("{dll} is not a Windows library (empty or damaged): the game may not start"), {},
     {tr("replace {dll} with a working copy")}},
    {Rule::loader_64_bit, "INSTALL-011", error,
     tr("{dll} is an ASI loader for 64-bit games: this 32-bit game cannot load it"), {},
     {tr("use the loader's 32-bit (x86) build as {dll}")}},
    {Rule::vorbis_original_missing, "INSTALL-012", error,
     tr("{dll} is an ASI loader, but the game's own vorbisFile.dll is not beside it as "
        "vorbisHooked.dll: the game cannot start"), {},
     {tr("rename the game's original vorbisFile.dll to vorbisHooked.dll and put it beside "
         "the loader, or install the loader as dinput8.dll")}},
    {Rule::several_loaders, "INSTALL-013", warning,
     tr("there is {count} ASI loader in the game folder: if the game loads more than one, each "
        "loads every plugin"),
     tr_plural("there are {count} ASI loaders in the game folder: if the game loads more than one, "
        "each loads every plugin"),
     {tr("keep {loader} and remove the others")}},
    {Rule::loader_loads_no_plugins, "INSTALL-014", error,
     tr("{dll} is an ASI loader that loads no plugins: LoadPlugins=0 in {file}"), {},
     {tr("set LoadPlugins=1 in {file}")}},
    {Rule::no_loader, "INSTALL-015", error,
     tr("there is no ASI loader in the game folder, so nothing loads the plugin"), {},
     {tr("put an ASI loader for 32-bit games in the game folder, named as a library the game "
         "loads (dinput8.dll is the usual one)")}},
    {Rule::not_a_loader, "INSTALL-016", info,
     tr("{dll}: not an ASI loader (a system library, a graphics wrapper or the game's own)"),
     {}, {}},
    {Rule::active_loader, "INSTALL-017", info,
     tr("{dll}: the ASI loader that loads plugins"), {}, {}},
    {Rule::active_loader_scripts_only, "INSTALL-018", info,
     tr("{dll}: the ASI loader that loads plugins (LoadFromScriptsOnly=1 in {file}: not from "
        "the game folder)"), {}, {}},

    {Rule::plugin_named_dll, "INSTALL-020", error,
     tr("{path} is not loaded: ASI loaders load only .asi files"), {},
     {tr("rename {path} to {plugin_name}{move}"), tr("remove it ({loaded} is loaded)")}},
    {Rule::plugin_named_txt, "INSTALL-021", error,
     tr("{path} is not loaded: its name ends in .txt"), {},
     {tr("rename {path} to {plugin_name} (Windows hides the .txt){move}"),
      tr("remove it ({loaded} is loaded)")}},
    {Rule::plugin_not_a_library, "INSTALL-022", error,
     tr("{path} is not a 32-bit Windows library (a damaged or unfinished download): the loader "
        "cannot load it"), {},
     {tr("copy {plugin_name} anew from the release archive"),
      tr("remove it ({loaded} is loaded)")}},
    {Rule::plugin_in_game_folder, "INSTALL-023", error,
     tr("{path} in the game folder is not loaded: LoadFromScriptsOnly=1 in {file}"), {},
     {tr("move it to scripts\\"), tr("remove it ({loaded} is loaded)")}},
    {Rule::plugin_too_deep, "INSTALL-024", error,
     tr("{path} is not loaded: ASI loaders look one folder deep at most"), {},
     {tr("move it to scripts\\"), tr("remove it ({loaded} is loaded)")}},
    {Rule::plugin_in_mod_manager, "INSTALL-025", warning,
     tr("{path} is loaded only if your mod manager loads .asi files from there"), {},
     {tr("move it to scripts\\ to be sure"), tr("remove it ({loaded} is loaded)")}},
    {Rule::plugin_elsewhere, "INSTALL-026", error,
     tr("{path} is not loaded: ASI loaders load from the game folder, scripts\\ and plugins\\ "
        "only"), {},
     {tr("move it to scripts\\"), tr("remove it ({loaded} is loaded)")}},
    {Rule::several_copies_loaded, "INSTALL-027", warning,
     tr("{count} copy is loaded ({folders}): each recolours the HUD from the same ini"),
     tr_plural("{count} copies are loaded ({folders}): each recolours the HUD from the same ini"),
     {tr("keep one")}},
    {Rule::no_plugin, "INSTALL-028", error,
     tr("there is no {plugin_name} in the game folder"), {},
     {tr("copy {plugin_name} into scripts\\")}},
    {Rule::plugin_loaded, "INSTALL-029", info,
     tr("{path}: a copy of the plugin, where ASI loaders load it"), {}, {}},

    {Rule::path_code_page, "INSTALL-030", error,
     tr("the game folder's path has letters the system's code page cannot write: the plugin "
        "can find no ini there, and every setting takes its default"), {},
     {tr("move the game to a short path of plain letters, such as C:\\Games\\")}},
    {Rule::ini_path_too_long, "INSTALL-031", error,
     tr("{path}: its full path is {length} characters long, and the plugin finds no ini at a "
        "path of 260 or more"), {},
     {tr("move the game to a shorter path, such as C:\\Games\\")}},
    {Rule::ini_is_folder, "INSTALL-032", error,
     tr("{path} is a folder: the plugin picks it, reads nothing, and every setting takes its "
        "default"), {},
     {tr("remove or rename the folder {path}")}},
    {Rule::stray_elsewhere, "INSTALL-033", error,
     tr("the plugin never reads {path}{why}: it reads its ini from plugins\\, scripts\\ or the "
        "game folder only, whatever folder it is in"), {},
     {tr("copy the lines you want from it into {ini}"), tr("move it to scripts\\"),
      tr("move it to scripts\\ as {ini_name}")}},
    {Rule::stray_not_named, "INSTALL-034", error,
     tr("the plugin never reads {path}{why}"), {},
     {tr("rename {path} to {ini_name}"),
      tr("rename {path} to {ini_name} (Windows hides the .txt)")}},
    {Rule::stray_beside, "INSTALL-035", warning,
     tr("the plugin never reads {path}{why}; it reads {ini}"), {},
     {tr("copy the lines you want from it into {ini}, then delete it")}},
    {Rule::stray_shadowed, "INSTALL-036", warning,
     tr("the plugin never reads {path}{why}, and named {ini_name} it would still be passed "
        "over while {ini} exists"), {},
     {tr("copy the lines you want from it into {ini}")}},
    {Rule::stray_would_win, "INSTALL-037", warning,
     tr("the plugin never reads {path}{why}; it reads {ini}"), {},
     {tr("rename {path} to {ini_name} to make it the ini the plugin reads instead of "
         "{ini}")}},
    {Rule::no_ini, "INSTALL-038", error,
     tr("there is no {ini_name} in plugins\\, scripts\\ or the game folder: the plugin "
        "uses its default colours"), {},
     {tr("put your {ini_name} in scripts\\ ({checker} --template --output "
         "{ini_name} writes one with every default)")}},
    {Rule::walk_cut_short, "INSTALL-039", warning,
     tr("the game folder holds more files or deeper folders than the checker looks through; "
        "it may have missed some"), {},
     {tr("look for copies of {plugin_name} yourself")}},
    {Rule::ini_read, "INSTALL-040", info,
     tr("the plugin reads {ini}: the first of the three places that exists"), {}, {}},
    {Rule::ini_ignored, "INSTALL-041", warning,
     tr("edits to {path} do nothing while {ini} exists"), {},
     {tr("make your edits in {ini}")}},
    {Rule::game_folder_missing, "INSTALL-042", warning,
     tr("the game folder {path} does not exist or cannot be opened"), {},
     {tr("name the folder that holds the game's executable")}},
}};
// clang-format on

constexpr bool in_rule_order() {
    for (std::size_t i = 0; i < rules.size(); ++i)
        if (static_cast<std::size_t>(rules[i].rule) != i) return false;
    return true;
}
static_assert(in_rule_order(), "the registry's rows follow the Rule enumeration");

constexpr bool codes_unique() {
    for (std::size_t i = 0; i < rules.size(); ++i)
        for (std::size_t j = i + 1; j < rules.size(); ++j)
            if (rules[i].code == rules[j].code) return false;
    return true;
}
static_assert(codes_unique(), "a code names one rule");

constexpr bool codes_well_formed() {
    for (const RuleText& rule : rules)
        if (!well_formed_code(rule.code)) return false;
    return true;
}
static_assert(codes_well_formed(), "codes are upper-case letters and digits, one dash or dot");

} // namespace

const RuleText& rule_text(Rule rule) {
    return rules[static_cast<std::size_t>(rule)];
}

std::span<const RuleText> all_rules() {
    return rules;
}

} // namespace checker
