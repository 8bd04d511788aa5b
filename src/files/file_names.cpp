#include "files/file_names.h"

#include <array>

namespace {

bool forbidden(unsigned char c) {
    return c < 0x20 || std::string_view("<>:\"/\\|?*").find(char(c)) != std::string_view::npos;
}

// CON, AUX, COM1…: the name before its first dot, blanks at its end aside, in any case.
bool deviceName(std::string_view name) {
    std::string stem(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    for (char& c : stem) c = char(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    static const std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
    for (std::string_view device : kPlain)
        if (stem == device) return true;
    return stem.size() == 4 && (stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

std::string windowsNameProblem(std::string_view name) {
    if (name.empty()) return "le nom du fichier est vide.";
    for (const char c : name) {
        if (!forbidden(static_cast<unsigned char>(c))) continue;
        if (static_cast<unsigned char>(c) < 0x20)
            return "le nom du fichier contient un caractère de contrôle, que Windows refuse.";
        return std::string("le nom du fichier contient « ") + c +
               " », que Windows refuse (ni < > : \" / \\ | ? * dans un nom).";
    }
    if (name.back() == '.' || name.back() == ' ')
        return "le nom du fichier finit par un point ou une espace, que Windows retire : "
               "choisissez un autre nom.";
    if (deviceName(name))
        return "« " + std::string(name.substr(0, name.find('.'))) +
               " » est le nom d'un périphérique de Windows (CON, PRN, AUX, NUL, COM1 à COM9, "
               "LPT1 à LPT9) : choisissez un autre nom.";
    return {};
}

std::string portableFileName(std::string_view name) {
    std::string fit;
    for (const char c : name) fit += forbidden(static_cast<unsigned char>(c)) ? '-' : c;
    while (!fit.empty() && (fit.back() == '.' || fit.back() == ' ')) fit.pop_back();
    if (fit.empty()) return "Conception";
    if (deviceName(fit))
        fit.insert(fit.find('.') == std::string::npos ? fit.size() : fit.find('.'), "_");
    return fit;
}
