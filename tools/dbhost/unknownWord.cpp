#include "unknownWord.h"

#include <vector>

#include "nearestWord.h"

namespace {

std::string Listed(const std::vector<std::string>& words) {
    std::string list;
    for (const std::string& word : words) list += (list.empty() ? "" : ", ") + word;
    return list;
}

std::string Unknown(const std::string& kind, const std::string& word, const std::vector<std::string>& known) {
    const std::string start = "unknown " + kind + " '" + word + "'";
    if (const auto nearest = NearestWord(word, known)) return start + "; did you mean '" + *nearest + "'?";
    return start + "; the " + kind + "s are " + Listed(known);
}

std::vector<std::string> CommandNames(const CLI::App& console) {
    std::vector<std::string> names;
    for (const CLI::App* command : console.get_subcommands([](const CLI::App*) { return true; }))
        names.push_back(command->get_name());
    return names;
}

std::vector<std::string> OptionNames(const CLI::App& app) {
    std::vector<std::string> names;
    for (const CLI::Option* option : app.get_options())
        for (const std::string& name : option->get_lnames()) names.push_back("--" + name);
    return names;
}

}  // namespace

std::optional<std::string> UnknownWordMessage(const CLI::App& console) {
    const std::vector<CLI::App*> chosen = console.get_subcommands();
    std::vector<const CLI::App*> levels{&console};
    levels.insert(levels.end(), chosen.begin(), chosen.end());
    for (const CLI::App* level : levels) {
        for (const std::string& word : level->remaining()) {
            if (word.rfind('-', 0) == 0) return Unknown("option", word.substr(0, word.find('=')), OptionNames(*level));
            // Before any command, the first plain word is where the command was meant to be.
            if (chosen.empty()) return Unknown("command", word, CommandNames(console));
        }
    }
    return std::nullopt;
}
