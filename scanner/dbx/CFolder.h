#pragma once
#include <cstdint>
#include <string>

// One folder of the folder store, as the store reader fills it.
class CFolder {
public:
    // Never set by the reader.
    std::int32_t Number() const { return Number_; }
    void Number(std::int32_t value) { Number_ = value; }
    std::int32_t ItemType() const { return ItemType_; }
    void ItemType(std::int32_t value) { ItemType_ = value; }
    const std::string& name() const { return name_; }
    void name(const std::string& value) { name_ = value; }
    // The name of the folder's store file, beside the folder store.
    const std::string& FileName() const { return FileName_; }
    void FileName(const std::string& value) { FileName_ = value; }
    std::int32_t Id() const { return Id_; }
    void Id(std::int32_t value) { Id_ = value; }
    std::int32_t ParentId() const { return ParentId_; }
    void ParentId(std::int32_t value) { ParentId_ = value; }

private:
    std::int32_t Number_ = 0;
    std::int32_t ItemType_ = 2;
    std::string name_;
    std::string FileName_;
    std::int32_t Id_ = 0;
    std::int32_t ParentId_ = 0;
};
