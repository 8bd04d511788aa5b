#pragma once

#include <string>

// What the print server made of the job just handed to it on this thread: empty when it took
// it, otherwise why not, in French (« l'imprimante « Salle 12 » refuse les travaux »). Asked
// right after the toolkit submitted the job, which it does without looking at the answer.
std::string printJobRefusal(const std::string& printerName);
