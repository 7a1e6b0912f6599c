// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/DocumentEdit.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The document's undo history: the edits made, in order, and how many of
// them are in effect. It also knows where the document was last saved, so
// the document is unsaved exactly when it stands elsewhere.
class EditHistory {
public:
    // Applies the edit and keeps it; the edits undone before it are dropped.
    void Perform(std::unique_ptr<DocumentEdit> edit, CVolantorDoc& doc);
    // Each returns the edit it stepped over; none when there was nothing to step over.
    const DocumentEdit* Undo(CVolantorDoc& doc);
    const DocumentEdit* Redo(CVolantorDoc& doc);

    // How many edits are in effect.
    std::size_t Index() const { return m_nDone; }
    bool CanUndo() const { return m_nDone > 0; }
    bool CanRedo() const { return m_nDone < m_edits.size(); }
    // The names of the edits Undo and Redo would step over; empty when none.
    std::string UndoName() const { return CanUndo() ? m_edits[m_nDone - 1]->Name() : std::string(); }
    std::string RedoName() const { return CanRedo() ? m_edits[m_nDone]->Name() : std::string(); }

    // Forgets every edit; the document as it stands counts as saved.
    void Clear();
    // The document as it stands is the one saved.
    void MarkSaved() { m_nSaved = m_nDone; }
    // True when the edits between the saved state and now change nothing the file keeps.
    bool IsAtSavedState() const;

private:
    std::vector<std::unique_ptr<DocumentEdit>> m_edits;
    std::size_t m_nDone = 0;
    // None once the edits that led to the saved state were dropped.
    std::optional<std::size_t> m_nSaved = 0;
};
