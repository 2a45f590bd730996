// The one way long work (a run, the dictionary load) hands control to its front end: at fixed
// points it yields, and the front end answers whether the work should stop.
#pragma once

namespace lorvan {

class YieldPoint {
 public:
  virtual ~YieldPoint() = default;
  // Lets the front end process what is pending (clicks, keys, repaints), then returns true when
  // the work should stop.
  virtual bool YieldAndTestStop() = 0;
};

}  // namespace lorvan
