#pragma once
// Storage of a grid document in a database file: the file holds one table
// in the grid byte format, and every change a data source makes is written
// through to it at once, so the document never has unsaved changes.
#include "common/grid.h"

#include <functional>

class DatabaseProvider : public GridProvider {
public:
    DatabaseProvider(Container& window, const Text& name);
    ~DatabaseProvider() override;

    // "" while no file is attached; the provider then keeps its document in
    // memory only.
    const Text& databaseFile() const { return file_; }
    // Attaches the file and shows its table; an empty file starts an empty
    // table. A file that holds anything else is refused (false), stays
    // unattached and is never written, so its bytes cannot be lost.
    // Attach before a data source names the provider: grids redraw when
    // the data source changes, not when the provider loads.
    bool setDatabaseFile(const Text& path);

    GridDocument& document() override { return *document_; }
    void documentChanged(const GridChange& change) override;

    // False after a change that could not be written; the next change that
    // is written makes it true again (the file always holds the whole table).
    bool stored() const { return stored_; }
    // Runs after every change that could not be written to the file.
    std::function<void()> storeFailed;

private:
    std::unique_ptr<GridDocument> document_;
    Text file_;
    bool stored_ = true;
};
