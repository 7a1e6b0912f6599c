// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtUserInterface.h"

#include "app/MainFrame.h"
#include "app/PreferencesDlg.h"
#include "app/VehicleDlg.h"
#include "app/VolantorView.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QProgressDialog>
#include <QStringList>
#include <QThread>

#include <exception>
#include <memory>

QWidget* QtUserInterface::Parent() const
{
    return m_pFrame;
}

void QtUserInterface::ShowMessage(const std::string& text, MessageKind kind)
{
    const QMessageBox::Icon icon =
        kind == MessageKind::Failure ? QMessageBox::Warning : QMessageBox::Information;
    QMessageBox box(icon, QApplication::applicationName(), QString::fromStdString(text), QMessageBox::Ok,
                    Parent());
    if (kind == MessageKind::Table) {
        box.setTextFormat(Qt::RichText);
        box.setText("<pre>" + QString::fromStdString(text).toHtmlEscaped() + "</pre>");
    }
    box.exec();
}

bool QtUserInterface::AskYesNo(const std::string& question)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), QString::fromStdString(question),
                    QMessageBox::Yes | QMessageBox::No, Parent());
    return box.exec() == QMessageBox::Yes;
}

void QtUserInterface::RunLongTask(const std::string& label, const std::function<void()>& work)
{
    std::exception_ptr failure;
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QProgressDialog progress(QString::fromStdString(label), QString(), 0, 0, Parent());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    worker->start();
    // The window repaints, but clicks and keys wait, so no other command starts meanwhile.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    if (failure)
        std::rethrow_exception(failure);
}

QMessageBox::StandardButton QtUserInterface::AskSaveChanges(const QString& question)
{
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), question,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, Parent());
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString QtFileFilter(const std::string& filter)
{
    // Pairs of name and pattern separated by '|'; the names already carry the patterns.
    QStringList names;
    const QStringList parts = QString::fromStdString(filter).split('|', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < parts.size(); i += 2)
        names << parts.at(i);
    return names.join(";;");
}

namespace {

void PrepareFileDialog(QFileDialog& dialog, const UserInterface::FileChoice& choice)
{
    dialog.setNameFilter(QtFileFilter(choice.strFilter));
    QString extension = QString::fromStdString(choice.strDefaultExtension);
    if (extension.startsWith('.'))
        extension.remove(0, 1);
    dialog.setDefaultSuffix(extension);
    if (!choice.strInitialName.empty())
        dialog.selectFile(QString::fromStdString(choice.strInitialName));
}

std::optional<std::string> ChosenFile(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

}  // namespace

std::optional<std::string> QtUserInterface::ChooseFileToOpen(const FileChoice& choice)
{
    QFileDialog dialog(Parent(), "Open");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    PrepareFileDialog(dialog, choice);
    return ChosenFile(dialog);
}

std::vector<std::string> QtUserInterface::ChooseFilesToOpen(const FileChoice& choice)
{
    QFileDialog dialog(Parent(), "Open");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    PrepareFileDialog(dialog, choice);
    std::vector<std::string> files;
    if (dialog.exec() == QDialog::Accepted) {
        for (const QString& file : dialog.selectedFiles())
            files.push_back(file.toStdString());
    }
    return files;
}

std::optional<std::string> QtUserInterface::ChooseFileToSave(const FileChoice& choice)
{
    // The save dialog asks before overwriting an existing file.
    QFileDialog dialog(Parent(), "Save As");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    PrepareFileDialog(dialog, choice);
    return ChosenFile(dialog);
}

void QtUserInterface::SetPaneText(int pane, const std::string& text)
{
    if (m_pFrame)
        m_pFrame->SetPaneText(pane, QString::fromStdString(text));
}

void QtUserInterface::UpdateAllViews()
{
    if (m_pFrame)
        m_pFrame->DocumentChanged();
}

void QtUserInterface::MarkSamples(const std::vector<int>& samples)
{
    if (m_pFrame)
        m_pFrame->View().Paths().MarkSamples(samples);
}

bool QtUserInterface::RunDialog(PreferencesDialogData& data)
{
    CPreferencesDlg dialog(data, *this, Parent());
    return dialog.exec() == QDialog::Accepted;
}

bool QtUserInterface::RunDialog(VehicleDialogData& data)
{
    CVehicleDlg dialog(data, *this, Parent());
    return dialog.exec() == QDialog::Accepted;
}
