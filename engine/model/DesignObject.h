// The object tree of the model: every designed object has a name and a
// description; most are linked to the object that contains them; containers
// own the objects they include, ordered by name.
//
//   DesignObject -> LinkedObject -> ContainerObject -> OxaModule, GroupOfServices
//                                                      (and the conceptual unit and
//                                                       application of the
//                                                       applications subsystem)
//                                -> Service
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace orven::model {

class DesignObject {
  public:
    DesignObject(std::string name, std::string description);
    virtual ~DesignObject();
    DesignObject(const DesignObject&) = delete;
    DesignObject& operator=(const DesignObject&) = delete;

    // The text that introduces the object in a module file, such as "Service: ".
    virtual std::string heading() const = 0;
    // The short tag that names the object's class in a module file, such as "Srv".
    virtual std::string typeTag() const = 0;

    const std::string& name() const { return name_; }
    const std::string& description() const { return description_; }
    // Refused (false, nothing changes) for a name that isValidName rejects.
    // The name of an object inside a container is changed through the
    // container's renameIncluded, which keeps the container's order.
    bool setName(std::string name);
    void setDescription(std::string description);

  private:
    std::string name_;
    std::string description_;
};

class ContainerObject;

class LinkedObject : public DesignObject {
  public:
    using DesignObject::DesignObject;
    ~LinkedObject() override;

    // The object that contains this one, or none. Not owned.
    ContainerObject* link() const { return link_; }
    void setLink(ContainerObject* link) { link_ = link; }

  private:
    ContainerObject* link_ = nullptr;
};

class ContainerObject : public LinkedObject {
  public:
    // Included objects by exact name bytes, in byte-wise ascending order.
    using Included = std::map<std::string, std::unique_ptr<LinkedObject>, std::less<>>;

    using LinkedObject::LinkedObject;
    ~ContainerObject() override;

    // The included object of that name, or none.
    LinkedObject* findIncluded(std::string_view name) const;
    // The included object of that name when it is of class T, or none.
    template <class T>
    T* findIncludedAs(std::string_view name) const {
        return dynamic_cast<T*>(findIncluded(name));
    }

    // Inserts the object under its current name and links it to this
    // container. Refused (false; the object is deleted) when the name is
    // taken, the object is null or this container does not hold objects of
    // its class (accepts).
    bool include(std::unique_ptr<LinkedObject> object);
    // Removes the entry without deleting the object and hands it back
    // unlinked; none when there is no such entry.
    std::unique_ptr<LinkedObject> exclude(std::string_view name);
    // Removes and deletes the included object; false when there is none.
    bool erase(std::string_view name);
    // Deletes every included object.
    void clearIncluded();

    // Renames an included object: refused when the new name is invalid, when
    // there is no object under the old name, or when the new name belongs to
    // another included object. Renaming an object to its own name succeeds.
    bool renameIncluded(std::string_view oldName, std::string_view newName);

    std::size_t includedCount() const { return included_.size(); }
    // The object at position k in name order (from 0), or none when k is out
    // of range.
    LinkedObject* includedAt(std::size_t k) const;
    // Iteration in name order.
    const Included& included() const { return included_; }

  protected:
    // Whether objects of the given class may be included here.
    virtual bool accepts(const LinkedObject& object) const = 0;

  private:
    Included included_;
};

}  // namespace orven::model
