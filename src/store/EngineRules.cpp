#include "EngineRules.h"

const EngineRules& sqliteRules();
const EngineRules& postgresRules();

const EngineRules& EngineRules::of(EngineKind engine) {
    return engine == EngineKind::Postgres ? postgresRules() : sqliteRules();
}
