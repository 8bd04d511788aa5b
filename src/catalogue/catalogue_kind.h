#pragma once

#include <string>
#include <string_view>

// The nine catalogue files of Data/, named by their file stems.
enum class CatalogueKind {
    Helice,
    Moteur,
    Berceau,
    Energie,
    Pile,
    Interrupteur,
    Roue,
    Train,
    Materiau
};

std::string_view fileStem(CatalogueKind kind);
int fieldCount(CatalogueKind kind);
// "Data/" + stem + ".txt", relative to the working directory.
std::string cataloguePath(CatalogueKind kind);

inline constexpr std::string_view kDataDir = "Data/";
inline constexpr std::string_view kRulesPath = "Data/Reglement.txt";
inline constexpr int kRulesFieldCount = 5;
