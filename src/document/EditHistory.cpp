// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/EditHistory.h"

#include <algorithm>

void EditHistory::Perform(std::unique_ptr<DocumentEdit> edit, CVolantorDoc& doc)
{
    // Room first, so running out of memory leaves the history whole and the edit unapplied.
    m_edits.reserve(m_nDone + 1);
    edit->Apply(doc);
    m_edits.resize(m_nDone);
    if (m_nSaved && *m_nSaved > m_nDone)
        m_nSaved.reset();
    m_edits.push_back(std::move(edit));
    ++m_nDone;
}

const DocumentEdit* EditHistory::Undo(CVolantorDoc& doc)
{
    if (!CanUndo())
        return nullptr;
    DocumentEdit& edit = *m_edits[m_nDone - 1];
    edit.Revert(doc);
    --m_nDone;
    return &edit;
}

const DocumentEdit* EditHistory::Redo(CVolantorDoc& doc)
{
    if (!CanRedo())
        return nullptr;
    DocumentEdit& edit = *m_edits[m_nDone];
    edit.Apply(doc);
    ++m_nDone;
    return &edit;
}

void EditHistory::Clear()
{
    m_edits.clear();
    m_nDone = 0;
    m_nSaved = 0;
}

bool EditHistory::IsAtSavedState() const
{
    if (!m_nSaved)
        return false;
    const std::size_t from = std::min(*m_nSaved, m_nDone);
    const std::size_t to = std::max(*m_nSaved, m_nDone);
    return std::none_of(m_edits.begin() + static_cast<std::ptrdiff_t>(from),
                        m_edits.begin() + static_cast<std::ptrdiff_t>(to),
                        [](const auto& edit) { return edit->ChangesContents(); });
}
