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
    // What an edit may change, and so what must be brought up to date after it.
    enum class Reach {
        Samples,       // paths' ranges or samples' places: the extents are measured anew
        PathSettings,  // a path's vehicle settings, which the file keeps
        Segmentation,  // the holds and moves, which the file does not keep
    };

    // The name follows "Undo" and "Redo" in the menu.
    explicit DocumentEdit(std::string name, Reach reach = Reach::Samples)
        : m_strName(std::move(name)), m_reach(reach)
    {
    }
    virtual ~DocumentEdit() = default;
    DocumentEdit(const DocumentEdit&) = delete;
    DocumentEdit& operator=(const DocumentEdit&) = delete;

    const std::string& Name() const { return m_strName; }
    // False for changes the document file does not keep (the segmentation):
    // they never make the document unsaved.
    bool ChangesContents() const { return m_reach != Reach::Segmentation; }
    // False while every path keeps its samples where they were: the extents still hold.
    bool MovesSamples() const { return m_reach == Reach::Samples; }

    virtual void Apply(CVolantorDoc& doc) = 0;
    virtual void Revert(CVolantorDoc& doc) = 0;

private:
    std::string m_strName;
    Reach m_reach;
};
