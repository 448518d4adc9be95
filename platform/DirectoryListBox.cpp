#include "platform/DirectoryListBox.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>
#include <unistd.h>

#include "platform/DriveComboBox.h"
#include "platform/ErrorReport.h"
#include "platform/Exceptions.h"
#include "platform/Layout.h"
#include "platform/NaturalOrder.h"

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kIndent = 8;

class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem indented = option;
        indented.rect.adjust(index.data(kDepthRole).toInt() * kIndent, 0, 0, 0);
        QStyledItemDelegate::paint(painter, indented, index);
    }
};

QListWidget& ViewOf(const TDirectoryListBox& list)
{
    return *static_cast<QListWidget*>(list.Widget());
}

std::string CurrentDirectory()
{
    std::string path = QDir::currentPath().toStdString();
    return path.empty() ? "/" : path;
}

}  // namespace

TDirectoryListBox::TDirectoryListBox(TComponent* AOwner)
    : TWinControl(AOwner, new QListWidget), FDirectory(CurrentDirectory())
{
    QListWidget& view = ViewOf(*this);
    view.setItemDelegate(new IndentDelegate(&view));
    view.setUniformItemSizes(true);
    QObject::connect(&view, &QListWidget::itemActivated, [this](QListWidgetItem* item) {
        RunReportingErrors([&] { OpenRow(ViewOf(*this).row(item)); });
    });
    Fill();
}

void TDirectoryListBox::Loaded()
{
    QTimer::singleShot(0, ViewOf(*this).viewport(), [this] {
        RunReportingErrors([this] {
            if (OnChange)
                OnChange(this);
        });
    });
}

void TDirectoryListBox::SetDirectory(const std::string& path)
{
    QString clean = QDir::cleanPath(QDir(QString::fromStdString(FDirectory)).absoluteFilePath(QString::fromStdString(path)));
    QDir dir(clean);
    if (!dir.exists())
        throw EFOpenError("The folder " + clean.toStdString() + " does not exist any more.");
    if (!dir.isReadable())
        throw EFOpenError("The folder " + clean.toStdString() + " cannot be read.");
    FDirectory = clean.toStdString();
    Fill();
    if (FDriveCombo)
        FDriveCombo->ShowDriveOf(FDirectory);
    if (OnChange)
        OnChange(this);
}

void TDirectoryListBox::SetItemHeight(int height)
{
    FItemHeight = height;
    Fill();
}

int TDirectoryListBox::RowCount() const
{
    return ViewOf(*this).count();
}

std::string TDirectoryListBox::RowPath(int row) const
{
    return ViewOf(*this).item(row)->data(kPathRole).toString().toStdString();
}

void TDirectoryListBox::OpenRow(int row)
{
    if (row >= 0 && row < RowCount())
        SetDirectory(RowPath(row));
}

void TDirectoryListBox::Fill()
{
    QListWidget& view = ViewOf(*this);
    view.clear();
    QStyle* style = QApplication::style();
    auto add = [&](const QString& text, const QString& path, int depth, QStyle::StandardPixmap icon) {
        auto* item = new QListWidgetItem(style->standardIcon(icon), text, &view);
        item->setData(kPathRole, path);
        item->setData(kDepthRole, depth);
        item->setSizeHint(QSize(0, FItemHeight));
        return item;
    };
    QString current = QString::fromStdString(FDirectory);
    QStringList parts = current.split('/', Qt::SkipEmptyParts);
    add("/", "/", 0, QStyle::SP_DirOpenIcon);
    QString path;
    for (int i = 0; i < parts.size(); ++i) {
        path += "/" + parts[i];
        add(parts[i], path, i + 1, QStyle::SP_DirOpenIcon);
    }
    view.setCurrentRow(view.count() - 1);
    QStringList children = QDir(current).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::vector<std::string> names;
    for (const QString& child : children)
        names.push_back(child.toStdString());
    std::sort(names.begin(), names.end(), NaturalLess);
    QString base = current == "/" ? "" : current;
    for (const std::string& name : names) {
        QString q = QString::fromStdString(name);
        add(q, base + "/" + q, static_cast<int>(parts.size()) + 1, QStyle::SP_DirIcon);
    }
}

bool TDirectoryListBox::SetProperty(const std::string& name, const LayoutValue& value, LayoutContext& context)
{
    if (name == "ItemHeight")
        SetItemHeight(value.Int());
    else if (name == "OnChange")
        OnChange = context.Handler(value.Text());
    else
        return TWinControl::SetProperty(name, value, context);
    return true;
}
