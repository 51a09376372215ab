#pragma once

namespace vrx {

// The table-editing flag of the tab: while it is clear, rows of the channel and circuit tables
// can be neither inserted nor deleted, so grid keys cannot add or remove rows. The program sets
// it for the time it rebuilds a table.
class TableEditingFlag {
 public:
  bool IsSet() const { return set_; }

  // Sets the flag for its lifetime and puts the previous value back when it ends, also when an
  // error unwinds it, so a failed rebuild does not leave the tables open to grid keys.
  class Scope {
   public:
    explicit Scope(TableEditingFlag& flag) : flag_(flag), previous_(flag.set_) {
      flag_.set_ = true;
    }
    ~Scope() { flag_.set_ = previous_; }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    TableEditingFlag& flag_;
    bool previous_;
  };

 private:
  bool set_ = false;
};

}  // namespace vrx
