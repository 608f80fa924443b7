#pragma once

class Connection;

enum class UpgradeResult { Upgraded, Current, Failed };

// Brings an open shop file made by an older program up to SchemaVersion in one transaction:
// adds the indexes, triggers and name index it lacks (the name index filled from the members
// already stored), drops the indexes they replace, and stamps the version. Tables and their
// rows are never touched. Failed, after an error report, leaves the file as it was.
UpgradeResult UpgradeSchema(Connection& db);
