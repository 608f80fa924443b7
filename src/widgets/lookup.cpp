#include "lookup.h"

QString CategoryDescription(const QList<CategoryRec>& categories, const QString& id) {
    for (const CategoryRec& category : categories) {
        if (category.CategoryID == id)
            return category.Description;
    }
    return {};
}
