// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliUserInterface.h"

#include <utility>

void CliUserInterface::ShowMessage(const std::string& text, MessageKind kind)
{
    if (kind == MessageKind::Failure) {
        m_err << text << '\n';
        m_bFailed = true;
    } else {
        m_out << text << '\n';
    }
}

bool CliUserInterface::AskYesNo(const std::string& question)
{
    m_out << question << '\n';
    return true;
}

std::optional<std::string> CliUserInterface::ChooseFileToOpen(const FileChoice&)
{
    return std::exchange(m_nextFile, std::nullopt);
}

std::optional<std::string> CliUserInterface::ChooseFileToSave(const FileChoice&)
{
    return std::exchange(m_nextFile, std::nullopt);
}
