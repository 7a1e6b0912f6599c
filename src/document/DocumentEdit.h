// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>

class CVolantorDoc;

// One reversible change to the document. Apply makes the change and Revert
// puts back exactly what it replaced; the history calls them strictly in
// turn, so each finds the document as the other left it. An edit keeps only
// what it replaces, never a copy of the sample array.
class DocumentEdit {
public:
    // The name follows "Undo" and "Redo" in the menu.
    explicit DocumentEdit(std::string name, bool changesContents = true)
        : m_strName(std::move(name)), m_bChangesContents(changesContents)
    {
    }
    virtual ~DocumentEdit() = default;
    DocumentEdit(const DocumentEdit&) = delete;
    DocumentEdit& operator=(const DocumentEdit&) = delete;

    const std::string& Name() const { return m_strName; }
    // False for changes the document file does not keep (the segmentation):
    // they never make the document unsaved.
    bool ChangesContents() const { return m_bChangesContents; }

    virtual void Apply(CVolantorDoc& doc) = 0;
    virtual void Revert(CVolantorDoc& doc) = 0;

private:
    std::string m_strName;
    bool m_bChangesContents;
};
