#pragma once

// The organisation and application names the settings and the data folders are kept under.
void setApplicationIdentity();
