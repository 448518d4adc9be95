#include "platform/DriveComboBox.h"

#include <QComboBox>
#include <QDir>
#include <QStorageInfo>
#include <algorithm>

#include "platform/DirectoryListBox.h"
#include "platform/ErrorReport.h"
#include "platform/Layout.h"

namespace {

bool IsUserVolume(const QString& root)
{
    return root.startsWith("/media/") || root.startsWith("/run/media/") || root == "/mnt" || root.startsWith("/mnt/");
}

bool Holds(const std::string& root, const std::string& path)
{
    return root == "/" || path == root || path.rfind(root + "/", 0) == 0;
}

// Reads the volumes again each time the list opens, so a card inserted meanwhile shows.
class DriveView : public QComboBox {
public:
    TDriveComboBox* Owner = nullptr;
    void showPopup() override
    {
        Owner->Refresh();
        QComboBox::showPopup();
    }
};

DriveView& ViewOf(const TDriveComboBox& combo)
{
    return *static_cast<DriveView*>(combo.Widget());
}

}  // namespace

TDriveComboBox::TDriveComboBox(TComponent* AOwner) : TWinControl(AOwner, new DriveView)
{
    DriveView& view = ViewOf(*this);
    view.Owner = this;
    QObject::connect(&view, &QComboBox::activated, [this](int index) { RunReportingErrors([&] { ChooseDrive(index); }); });
    Refresh();
}

void TDriveComboBox::Refresh()
{
    std::string shown = Drive();
    std::vector<std::pair<std::string, QString>> drives{{"/", "/"}};
    QString home = QDir::homePath();
    if (home != "/")
        drives.emplace_back(home.toStdString(), "Home (" + home + ")");
    std::vector<std::pair<std::string, QString>> volumes;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        QString root = volume.rootPath();
        if (!volume.isValid() || !volume.isReady() || !IsUserVolume(root))
            continue;
        QString name = volume.displayName();
        volumes.emplace_back(root.toStdString(), name == root ? root : name + " (" + root + ")");
    }
    std::sort(volumes.begin(), volumes.end());
    drives.insert(drives.end(), volumes.begin(), volumes.end());

    DriveView& view = ViewOf(*this);
    QSignalBlocker block(view);
    view.clear();
    FRoots.clear();
    for (auto& [root, label] : drives) {
        FRoots.push_back(root);
        view.addItem(label);
    }
    ShowDriveOf(shown.empty() ? "/" : shown);
}

std::string TDriveComboBox::Drive() const
{
    int index = ViewOf(*this).currentIndex();
    return index >= 0 && index < static_cast<int>(FRoots.size()) ? FRoots[index] : std::string();
}

void TDriveComboBox::ShowDriveOf(const std::string& path)
{
    int best = 0;
    for (int i = 0; i < static_cast<int>(FRoots.size()); ++i)
        if (Holds(FRoots[i], path) && FRoots[i].size() >= FRoots[best].size())
            best = i;
    QSignalBlocker block(ViewOf(*this));
    ViewOf(*this).setCurrentIndex(best);
}

void TDriveComboBox::ChooseDrive(int index)
{
    if (index < 0 || index >= static_cast<int>(FRoots.size()))
        return;
    ViewOf(*this).setCurrentIndex(index);
    if (FDirList)
        FDirList->SetDirectory(FRoots[index]);
}

void TDriveComboBox::SetDirList(TDirectoryListBox* list)
{
    FDirList = list;
    if (list) {
        list->SetDriveCombo(this);
        ShowDriveOf(list->Directory());
    }
}

bool TDriveComboBox::SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context)
{
    if (name == "DirList")
        context.WhenCreated(value.Text(), [this](TComponent* c) { SetDirList(dynamic_cast<TDirectoryListBox*>(c)); });
    else
        return TWinControl::SetProperty(name, value, context);
    return true;
}
