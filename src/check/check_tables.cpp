#include "check/check_tables.h"

namespace {

constexpr FieldRule kDesignation{"Désignation", FieldType::Designation};
constexpr FieldRule kDiameter{"Diamètre (mm)", FieldType::Number, Quantity::NotNegative};
constexpr FieldRule kMass{"Masse (g)", FieldType::Number, Quantity::NotNegative};
constexpr FieldRule kSupplier{"Fournisseur"};
constexpr FieldRule kSupplierRef{"Réf. Fournisseur"};
constexpr FieldRule kPrice{"Prix HT (Euros)", FieldType::Number, Quantity::NotNegative};
constexpr FieldRule kType{"Type"};

}  // namespace

const std::vector<FileRule>& fileRules() {
    static const std::vector<FileRule> rules = {
        {.file = "Helice.txt",
         .fields = {kDesignation,
                    kDiameter,
                    kMass,
                    kSupplier,
                    kSupplierRef,
                    kPrice,
                    {"Dim mini / Axe (mm)", FieldType::Number},
                    {"Nombre de pales", FieldType::WholeNumber, Quantity::NotNegative},
                    {"Variante tripale (o/n)", FieldType::Flag}}},
        {.file = "Moteur.txt",
         .fields = {kDesignation,
                    kDiameter,
                    kMass,
                    {"Diam. arbre (mm)", FieldType::Number, Quantity::NotNegative},
                    {"Adapté solaire ?"},
                    kSupplier,
                    kSupplierRef,
                    kPrice}},
        {.file = "Berceau.txt",
         .fields = {kDesignation,
                    kDiameter,
                    kMass,
                    {"Matériau"},
                    kSupplier,
                    kSupplierRef,
                    kPrice,
                    {"Dist. Base/Axe", FieldType::Number}}},
        {.file = "Energie.txt",
         .fields = {kDesignation,
                    kType,
                    kMass,
                    kSupplier,
                    kSupplierRef,
                    kPrice,
                    {"Nombre de batteries", FieldType::WholeNumber, Quantity::NotNegative}}},
        {.file = "Pile.txt",
         .fields = {{"Prix d'une pile", FieldType::Number, Quantity::NotNegative},
                    {"Masse d'une pile", FieldType::Number, Quantity::NotNegative},
                    {"Prix d'un accu", FieldType::Number, Quantity::NotNegative},
                    {"Masse d'un accu", FieldType::Number, Quantity::NotNegative}},
         .feedsList = false,
         .designationPicture = false},
        {.file = "Interrupteur.txt",
         .fields = {kDesignation, kType, kMass, kSupplier, kSupplierRef, kPrice}},
        {.file = "Roue.txt",
         .fields = {kDesignation,
                    kDiameter,
                    kMass,
                    {"Diam. axe (mm)", FieldType::Number, Quantity::NotNegative},
                    kSupplier,
                    kSupplierRef,
                    kPrice}},
        {.file = "Train.txt",
         .fields = {kDesignation,
                    {"Code du croquis", FieldType::SketchCode},
                    {"Description"},
                    kMass,
                    kPrice,
                    {"Nom des images", FieldType::PictureName}},
         .designationPicture = false},
        {.file = "Materiau.txt",
         .fields = {kDesignation,
                    {"Épaisseur (mm)", FieldType::Number, Quantity::NotNegative},
                    {"Troisième champ (non utilisé)", FieldType::Unused},
                    {"Quatrième champ (non utilisé)", FieldType::Unused}},
         .designationPicture = false},
        {.file = "Reglement.txt",
         .fields = {{"Longueur Maxi (mm)", FieldType::Number, Quantity::Positive},
                    {"Largeur Maxi (mm)", FieldType::Number, Quantity::Positive},
                    {"Hauteur Maxi (mm)", FieldType::Number, Quantity::Positive},
                    {"Masse Maxi (g)", FieldType::Number, Quantity::Positive},
                    {"Prix Maxi HT (euro)", FieldType::Number, Quantity::Positive}},
         .feedsList = false,
         .designationPicture = false},
    };
    return rules;
}

const std::vector<const char*>& fixedPictures() {
    static const std::vector<const char*> pictures = {
        "Choix1.jpg",  "Choix2.jpg",   "Choix3.jpg",       "Choix4.jpg",       "Choix5.jpg",
        "Choix6.jpg",  "Choix7.jpg",   "Choix8.jpg",       "Choix9.jpg",       "Choix10.jpg",
        "Choix11.jpg", "Choix12.jpg",  "Choix13.jpg",      "Choix14.jpg",      "Apercu.jpg",
        "Helice.jpg",  "Materiau.jpg", "Montage1mini.jpg", "Montage2mini.jpg", "Oui.jpg",
        "Non.jpg",     "Bipale.gif",   "Tripale.gif",      "Tripale_c.gif",    "Cas11.gif",
        "Cas12.gif",   "Cas13.gif",    "Cas14.gif",        "Cas21.gif",        "Cas22.gif",
        "Cas23.gif",   "Cas24.gif",    "Cas31.gif",        "Cas32.gif",        "Cas33.gif",
        "Cas34.gif"};
    return pictures;
}

std::vector<NamedPicture> picturesNamedBy(const FileRule& rule, const FieldRule& field,
                                          std::string_view text) {
    if (text.empty()) return {};
    const std::string name(text);
    switch (field.type) {
        case FieldType::Designation:
            if (!rule.designationPicture) return {};
            return {{name + ".jpg", "Photo"}};
        case FieldType::SketchCode:
            return {{"Md" + name + ".gif", "Croquis, châssis au-dessus des roues"},
                    {"Me" + name + ".gif", "Croquis, châssis entre les roues"}};
        case FieldType::PictureName:
            return {{name + ".gif", "Dessin"}, {name + ".jpg", "Photo"}};
        default:
            return {};
    }
}
