#include "qt/print/print_queue.h"

#include "catalogue/safe_name.h"

#ifdef VENTAKAR_CUPS
#include <cups/cups.h>

namespace {

std::string quoted(const std::string& name) {
    return "« " + safeName(name) + " »";
}

std::string serverReason(ipp_status_t status, const std::string& printer, const char* said) {
    switch (status) {
        case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
            return "l'imprimante " + quoted(printer) + " refuse les travaux pour le moment";
        case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
        case IPP_STATUS_ERROR_TIMEOUT:
            return "le serveur d'impression ne répond pas";
        case IPP_STATUS_ERROR_NOT_FOUND:
            return "l'imprimante " + quoted(printer) + " n'existe plus sur le serveur d'impression";
        case IPP_STATUS_ERROR_FORBIDDEN:
        case IPP_STATUS_ERROR_NOT_AUTHORIZED:
        case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
            return "le serveur d'impression n'accepte pas les travaux de ce compte";
        case IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED:
            return "l'imprimante " + quoted(printer) + " ne sait pas imprimer ce document";
        default:
            break;
    }
    // Whatever the server said, shown as it may be shown, with its code.
    return "le serveur d'impression a refusé le travail (" +
           safeName(said && *said ? said : "erreur " + std::to_string(int(status))) + ")";
}

}  // namespace

std::string printJobRefusal(const std::string& printerName) {
    // Read first: asking anything else of the server replaces it.
    const ipp_status_t status = cupsLastError();
    const std::string said = cupsLastErrorString() ? cupsLastErrorString() : "";
    if (status > IPP_STATUS_OK_EVENTS_COMPLETE) {
        // Connection failures come as internal errors: the server is gone.
        if (status == IPP_STATUS_ERROR_INTERNAL &&
            cupsGetNamedDest(CUPS_HTTP_DEFAULT, printerName.c_str(), nullptr) == nullptr)
            return "le serveur d'impression ne répond pas";
        return serverReason(status, printerName, said.c_str());
    }
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, printerName.c_str(), nullptr);
    if (!dest) return "le serveur d'impression ne répond pas";
    const char* accepting =
        cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    std::string why;
    if (accepting && std::string(accepting) == "false") {
        why = "l'imprimante " + quoted(printerName) + " refuse les travaux pour le moment";
        if (const char* message =
                cupsGetOption("printer-state-message", dest->num_options, dest->options);
            message && *message)
            why += " (" + safeName(message) + ")";
    }
    cupsFreeDests(1, dest);
    return why;
}

#else

std::string printJobRefusal(const std::string&) {
    return {};
}

#endif
