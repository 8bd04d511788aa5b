#include "catalogue/catalogue_kind.h"

namespace {

struct KindInfo {
    std::string_view stem;
    int fields;
};

constexpr KindInfo kKinds[] = {
    {"Helice", 9},       {"Moteur", 8}, {"Berceau", 8}, {"Energie", 7},  {"Pile", 4},
    {"Interrupteur", 6}, {"Roue", 7},   {"Train", 6},   {"Materiau", 4},
};

const KindInfo& info(CatalogueKind kind) {
    return kKinds[static_cast<int>(kind)];
}

}  // namespace

std::string_view fileStem(CatalogueKind kind) {
    return info(kind).stem;
}

int fieldCount(CatalogueKind kind) {
    return info(kind).fields;
}

std::string cataloguePath(CatalogueKind kind) {
    std::string path(kDataDir);
    path += fileStem(kind);
    path += ".txt";
    return path;
}
