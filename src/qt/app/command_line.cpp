#include "qt/app/command_line.h"

#include <QCommandLineParser>

namespace {

struct OptionText {
    QStringList names;
    const char* description;
    const char* argument = "";        // shown after the option in the help
    const char* valueName = nullptr;  // the option takes a value
};

const OptionText kOptions[] = {
    {{"h", "help"}, "affiche cette aide et s'arrête"},
    {{"v", "version"}, "affiche la version de VENTAKAR et s'arrête"},
    {{"c", "verifier"},
     "vérifie les catalogues du dossier DOSSIER (par défaut le dossier Data que VENTAKAR lirait), "
     "en liste tous les problèmes et s'arrête ; état de sortie 1 s'il y a une erreur",
     " [DOSSIER]"},
    {{"l", "classe"},
     "ouvre la vue de la classe sur les conceptions du dossier DOSSIER et de ses sous-dossiers "
     "(quatre niveaux) ; fermer cette fenêtre arrête le programme",
     " DOSSIER",
     "dossier"},
    {{"o", "csv"},
     "avec --classe, écrit le tableau de la classe dans FICHIER (- : la sortie standard) au format "
     "CSV, sans fenêtre, et s'arrête ; une conception ou un dossier n'est jamais remplacé ; état "
     "de sortie 1 en cas d'erreur",
     " FICHIER",
     "fichier"},
    {{"m", "commande"},
     "avec --csv, écrit la commande des pièces de toutes les conceptions conformes du dossier "
     "DOSSIER, sans fenêtre, et s'arrête ; état de sortie 1 s'il n'y a rien à commander",
     " DOSSIER",
     "dossier"},
    {{"s", "classeur"},
     "avec --classe ou --commande, écrit le même tableau dans FICHIER en classeur de tableur, "
     "OpenDocument (.ods) ou Excel (.xlsx) selon son extension, seul ou avec --csv",
     " FICHIER",
     "fichier"},
    {{"t", "catalogues"},
     "ouvre seulement l'éditeur des catalogues du dossier DOSSIER (par défaut le dossier Data "
     "que VENTAKAR lirait)",
     " [DOSSIER]"},
    {{"r", "rendre"},
     "rend la conception FICHIER au professeur dans le dossier de remise (celui des réglages de "
     "l'ordinateur, handInFolder, ou --dossier-de-remise), sans fenêtre, écrit le reçu et "
     "s'arrête ; état de sortie 1 si elle n'a pas été rendue",
     " FICHIER",
     "fichier"},
    {{"d", "dossier-de-remise"},
     "avec --rendre, le dossier de remise où la rendre",
     " DOSSIER",
     "dossier"},
    {{"e", "liste"},
     "avec --classe, la liste des élèves de la classe (FICHIER .csv ou .txt : nom ; classe) : "
     "une ligne « Non rendu » pour chacun qui n'a rien rendu",
     " FICHIER",
     "fichier"},
    {{"i", "date-limite"},
     "avec --classe, la date et l'heure limites de remise (\"2026-12-09 17:00\") : ce qui est "
     "rendu après est « En retard » ; par défaut celle que le professeur a choisie pour ce dossier",
     " DATE",
     "date"},
    {{"q", "que-changer"},
     "pour la conception FICHIER qui n'est pas conforme, écrit en CSV chaque changement d'une "
     "étape (ou, si aucun ne suffit, de deux) qui la rend conforme, le moins cher d'abord, sur la "
     "sortie standard ou dans le fichier de --csv, et s'arrête ; état de sortie 1 si FICHIER n'est "
     "pas une conception",
     " FICHIER",
     "fichier"},
    {{"u", "il-suffirait-de"},
     "avec --classe et --csv ou --classeur, ajoute la colonne « Il suffirait de » : pour chaque "
     "conception non conforme ou sans verdict, le changement d'une étape le moins cher qui la "
     "rend conforme (environ 10 ms par conception)",
     ""},
};

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    QList<QCommandLineOption> options;
    for (const OptionText& option : kOptions) {
        options.append(
            option.valueName
                ? QCommandLineOption(option.names, QString::fromUtf8(option.description),
                                     option.valueName)
                : QCommandLineOption(option.names, QString::fromUtf8(option.description)));
    }
    parser.addOptions(options);
    parser.addPositionalArgument("fichier", "la conception à ouvrir");

    CommandLine line;
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        line.error = unknown.isEmpty() ? "VENTAKAR : ligne de commande incomprise."
                                       : "VENTAKAR : option inconnue « " + unknown.first() + " ».";
        // An option that takes a value given last, without it.
        for (const OptionText& option : kOptions) {
            if (unknown.isEmpty() && option.valueName && arguments.size() > 1) {
                const QString last = arguments.last();
                for (const QString& name : option.names)
                    if (last == "-" + name || last == "--" + name)
                        line.error = "VENTAKAR : " + last + " demande un " +
                                     QString(option.valueName).toUpper() + ".";
            }
        }
        return line;
    }
    line.help = parser.isSet(options[0]);
    line.version = parser.isSet(options[1]);
    line.check = parser.isSet(options[2]);
    line.files = parser.positionalArguments();
    line.classFolder = parser.value(options[3]);
    line.csvFile = parser.value(options[4]);
    line.orderFolder = parser.value(options[5]);
    line.workbookFile = parser.value(options[6]);
    line.catalogues = parser.isSet(options[7]);
    line.handInFile = parser.value(options[8]);
    line.handInFolder = parser.value(options[9]);
    line.classList = parser.value(options[10]);
    line.dueDate = parser.value(options[11]);
    line.classListSet = parser.isSet(options[10]);
    line.dueDateSet = parser.isSet(options[11]);
    line.fixFile = parser.value(options[12]);
    line.withFixes = parser.isSet(options[13]);
    // A value that is another option: « --classe --csv F » lacks its folder.
    for (int i : {3, 4, 5, 6, 8, 9, 10, 12}) {
        const QString value = parser.value(options[i]);
        if (parser.isSet(options[i]) &&
            ((value.isEmpty() && i != 4) || (value.startsWith('-') && value != "-"))) {
            line.error = "VENTAKAR : --" + options[i].names().last() + " demande un " +
                         options[i].valueName().toUpper() + ".";
            return line;
        }
    }
    if (parser.isSet(options[4]) && line.csvFile.isEmpty()) {
        line.error =
            "VENTAKAR : --csv demande un FICHIER (- pour écrire le tableau sur la sortie "
            "standard).";
        return line;
    }
    for (int i : {4, 6}) {
        if (parser.isSet(options[i]) && line.classFolder.isEmpty() && line.orderFolder.isEmpty() &&
            (i == 6 || line.fixFile.isEmpty())) {
            line.error = "VENTAKAR : --" + options[i].names().last() +
                         " s'emploie avec --classe DOSSIER ou --commande DOSSIER.";
            return line;
        }
    }
    if (parser.isSet(options[6])) {
        const QString name = line.workbookFile.toLower();
        if (!name.endsWith(".ods") && !name.endsWith(".xlsx")) {
            line.error =
                "VENTAKAR : --classeur demande un FICHIER dont le nom finit par .ods "
                "(OpenDocument) ou .xlsx (Excel), et non « " +
                line.workbookFile + " ».";
            return line;
        }
    }
    if (parser.isSet(options[9]) && line.handInFile.isEmpty()) {
        line.error = "VENTAKAR : --dossier-de-remise s'emploie avec --rendre FICHIER.";
        return line;
    }
    for (int i : {10, 11, 13}) {
        if (parser.isSet(options[i]) && line.classFolder.isEmpty()) {
            line.error =
                "VENTAKAR : --" + options[i].names().last() + " s'emploie avec --classe DOSSIER.";
            return line;
        }
    }
    if (!line.orderFolder.isEmpty() && line.csvFile.isEmpty() && line.workbookFile.isEmpty()) {
        line.error = "VENTAKAR : --commande s'emploie avec --csv FICHIER ou --classeur FICHIER.";
        return line;
    }
    if (line.files.size() > 1) {
        line.error = line.check ? "VENTAKAR : un seul dossier peut être vérifié à la fois."
                     : line.catalogues
                         ? "VENTAKAR : un seul dossier de catalogues à la fois."
                         : "VENTAKAR : une seule conception peut être ouverte à la fois.";
    }
    return line;
}

QString commandLineHelp() {
    QString text =
        "Utilisation : ventakar [OPTION] [FICHIER.ventakar]\n"
        "              ventakar --classe DOSSIER [--csv FICHIER] [--classeur FICHIER]"
        " [--il-suffirait-de]\n"
        "              ventakar --commande DOSSIER --csv FICHIER | --classeur FICHIER\n"
        "              ventakar --rendre FICHIER [--dossier-de-remise DOSSIER]\n"
        "              ventakar --que-changer FICHIER [--csv FICHIER]\n\n"
        "Conçoit un petit véhicule à hélice en quatorze étapes, selon le règlement.\n"
        "FICHIER.ventakar : une conception enregistrée, ouverte au démarrage.\n\n"
        "Options :\n";
    for (const OptionText& option : kOptions) {
        const QString names =
            "-" + option.names[0] + ", --" + option.names[1] + QString::fromUtf8(option.argument);
        text += "  " + names.leftJustified(25) + QString::fromUtf8(option.description) + "\n";
    }
    text +=
        "\nLes catalogues et les images sont lus dans le dossier Data du dossier de travail, ou, "
        "s'il n'y en a pas, dans le dossier Data installé avec le programme "
        "(<dossier du programme>/../share/ventakar/Data).\n"
        "La conception en cours est gardée dans une copie de secours par copie de VENTAKAR "
        "ouverte (~/.local/share/VENTAKAR/ventakar/recuperation-DATE-PID.ventakar), proposée au "
        "démarrage suivant après un arrêt brutal.\n"
        "État de sortie : 0 si tout s'est bien passé, 1 pour toute erreur.\n";
    return text;
}

QString versionText() {
    return QString("ventakar ") + VENTAKAR_VERSION + "\n";
}
