#pragma once

#include "generate.h"

#include <QString>
#include <QStringList>

#include <optional>

// What vormel-db was asked to do.
struct DbCommand {
    enum class Kind { Help, Create, Generate, Upgrade, Copy };
    Kind kind = Kind::Help;
    // A file or a server address: the shop made, upgraded, or copied to.
    QString file;
    // copy only: the shop copied.
    QString source;
    QString shopName;
    // create only.
    bool demo = false;
    // generate only.
    GenerateOptions generate;
};

extern const char* const DbUsage;

// Reads the arguments, program name first. Nothing when they do not make one command: an
// unknown command or option, an option of another command, a size out of range, no file
// or more than one (copy: other than two).
std::optional<DbCommand> parseDbCommand(const QStringList& arguments);
