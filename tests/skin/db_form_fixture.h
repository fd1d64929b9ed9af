#pragma once
// A form of bound controls over one table of a fresh SQLite file.

#include "db_test_database.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include <memory>

struct DbFormFixture : ::testing::Test {
    DbFixture f;
    std::unique_ptr<TSqlDataSet> set;
    std::unique_ptr<TDataSource> source;
    QWidget form;

    /// Opens a data set over table (already filled) and a source for the controls.
    void OpenTable(const QString& table)
    {
        set = std::make_unique<TSqlDataSet>(f.db->Database());
        set->SetTableName(table);
        source = std::make_unique<TDataSource>(set.get());
        ASSERT_TRUE(set->Open()) << set->LastError().toStdString();
        form.resize(500, 300);
    }
    void TearDown() override
    {
        source.reset();
        set.reset();
    }
    template <class Control>
    Control* Bind(Control* control, const QString& field)
    {
        control->SetDataSource(source.get());
        control->SetDataField(field);
        return control;
    }
    void Focus(QWidget& w)
    {
        form.show();
        form.activateWindow();
        w.setFocus();
        QApplication::processEvents();
    }
};
