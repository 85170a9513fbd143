// Data sources and their providers.
#include "common/grid/grid_model.h"
#include "common/grid/grid_units.h"
#include "common/internal/qt_objects.h"

#include <QWidget>

namespace {
unsigned changes = 0;
} // namespace

unsigned DataSource::revision() { return changes; }

const QWidget* windowOf(const Container& container) { return QtObjects::container(container)->window(); }

const QWidget* QtObjects::windowKey(const GridProvider& provider) { return provider.window_; }
const QWidget* QtObjects::windowKey(const DataSource& source) { return source.window_; }

GridProvider::GridProvider(Container& window, const Text& name) : name_(name), window_(windowOf(window))
{
    GridUnits<GridProvider>::add(this);
}

GridProvider::~GridProvider() { GridUnits<GridProvider>::remove(this); }

GenericProvider::GenericProvider(Container& window, const Text& name)
    : GridProvider(window, name), document_(std::make_unique<GridDocument>())
{
}

GenericProvider::~GenericProvider() = default;

DataSource::DataSource(Container& window, const Text& name, const Text& providerName)
    : name_(name), providerName_(providerName), window_(windowOf(window)), own_(std::make_unique<GridDocument>())
{
    GridUnits<DataSource>::add(this);
}

DataSource::~DataSource()
{
    GridUnits<DataSource>::remove(this);
    refreshGridsOf(*this);
}

GridProvider* DataSource::provider() const
{
    return providerName_.empty() ? nullptr : GridUnits<GridProvider>::find(window_, providerName_);
}

GridDocument& DataSource::storage()
{
    GridProvider* p = provider();
    return p ? p->document() : *own_;
}

const GridDocument& DataSource::document() const { return const_cast<DataSource*>(this)->storage(); }

void DataSource::setProviderName(const Text& providerName)
{
    providerName_ = providerName;
    ++changes;
    refreshGridsOf(*this);
}

void DataSource::change(const std::function<GridChange(GridDocument&)>& edit)
{
    const GridChange what = edit(storage());
    ++changes;
    if (GridProvider* p = provider())
        p->documentChanged(what);
    refreshGridsOf(*this);
}
