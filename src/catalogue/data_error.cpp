#include "catalogue/data_error.h"

DataError::DataError(std::string file, std::string reason)
    : std::runtime_error("Fichier « " + file + " » : " + reason),
      file_(std::move(file)),
      reason_(std::move(reason)) {}
