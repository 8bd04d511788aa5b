#include "catalogue/data_error.h"

#include "catalogue/safe_name.h"

DataError::DataError(std::string file, std::string reason)
    : std::runtime_error("Fichier « " + safeName(file) + " » : " + reason),
      file_(std::move(file)),
      reason_(std::move(reason)) {}
