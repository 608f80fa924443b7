#pragma once

#include "generate.h"

#include <QString>
#include <QStringList>

#include <optional>

// What vormel-db was asked to do.
struct DbCommand {
    enum class Kind { Help, Create, Generate, Upgrade };
    Kind kind = Kind::Help;
    QString file;
    QString shopName;
    // create only.
    bool demo = false;
    // generate only.
    GenerateOptions generate;
};

extern const char* const DbUsage;

// Reads the arguments, program name first. Nothing when they do not make one command: an
// unknown command or option, an option of the other command, a size out of range, no file
// or more than one.
std::optional<DbCommand> parseDbCommand(const QStringList& arguments);
