#include "model/DesignObject.h"

#include <iterator>

#include "model/TextRules.h"

namespace orven::model {

DesignObject::DesignObject(std::string name, std::string description)
    : name_(std::move(name)), description_(std::move(description)) {}

DesignObject::~DesignObject() = default;

bool DesignObject::setName(std::string name) {
    if (!isValidName(name))
        return false;
    name_ = std::move(name);
    return true;
}

void DesignObject::setDescription(std::string description) {
    description_ = std::move(description);
}

LinkedObject::~LinkedObject() = default;

ContainerObject::~ContainerObject() {
    clearIncluded();
}

LinkedObject* ContainerObject::findIncluded(std::string_view name) const {
    auto it = included_.find(name);
    return it == included_.end() ? nullptr : it->second.get();
}

bool ContainerObject::include(std::unique_ptr<LinkedObject> object) {
    if (!object || !accepts(*object))
        return false;
    if (included_.find(object->name()) != included_.end())
        return false;
    object->setLink(this);
    std::string key = object->name();
    included_.emplace(std::move(key), std::move(object));
    return true;
}

std::unique_ptr<LinkedObject> ContainerObject::exclude(std::string_view name) {
    auto it = included_.find(name);
    if (it == included_.end())
        return nullptr;
    std::unique_ptr<LinkedObject> object = std::move(it->second);
    included_.erase(it);
    object->setLink(nullptr);
    return object;
}

bool ContainerObject::erase(std::string_view name) {
    auto it = included_.find(name);
    if (it == included_.end())
        return false;
    included_.erase(it);
    return true;
}

void ContainerObject::clearIncluded() {
    // Objects go in name order, each deleting what it includes first.
    while (!included_.empty()) {
        included_.erase(included_.begin());
    }
}

bool ContainerObject::renameIncluded(std::string_view oldName, std::string_view newName) {
    if (!isValidName(newName))
        return false;
    auto it = included_.find(oldName);
    if (it == included_.end())
        return false;
    if (oldName == newName)
        return true;
    if (included_.find(newName) != included_.end())
        return false;
    auto node = included_.extract(it);
    const std::string previous = node.key();
    node.mapped()->setName(std::string(newName));
    node.key() = std::string(newName);
    auto result = included_.insert(std::move(node));
    if (!result.inserted) {
        // Taken after all: the object gets its old name back.
        result.node.mapped()->setName(previous);
        result.node.key() = previous;
        included_.insert(std::move(result.node));
        return false;
    }
    return true;
}

LinkedObject* ContainerObject::includedAt(std::size_t k) const {
    if (k >= included_.size())
        return nullptr;
    return std::next(included_.begin(), static_cast<std::ptrdiff_t>(k))->second.get();
}

}  // namespace orven::model
