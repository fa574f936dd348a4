#include "SheetDocument.h"

QStringList SheetPage::texts(const QString& name) const {
    QStringList out;
    for (const SheetItem& item : items) {
        if (item.name == name)
            out << item.text;
    }
    return out;
}

QStringList SheetPage::texts(const QString& name, BandKind band) const {
    QStringList out;
    for (const SheetItem& item : items) {
        if (item.name == name && item.band == band)
            out << item.text;
    }
    return out;
}

const SheetItem* SheetPage::find(const QString& name) const {
    for (const SheetItem& item : items) {
        if (item.name == name)
            return &item;
    }
    return nullptr;
}
