// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's side of the browser face (see webface.h): it makes each window's elements, lays
// the window's pictures on its canvas, draws the labels' texts, and hands the user's clicks and
// keys back. It knows windows, labels, buttons and lists, nothing of what a program does.
mergeInto(LibraryManager.library, {
  // The face's state; made when the script starts, as a library object keeps only functions
  // and plain values.
  $ZF__postset: 'ZF.views = new Map(); ZF.shown = []; ZF.afterReport = [];',
  $ZF: {
    views: null, // view address -> window
    shown: null, // the windows shown, the latest last: the page's title is its caption
    reportOpen: false,
    started: false, // a window has been shown: the program runs
    afterReport: null, // what waits until the user has read the error report
    fontFamily: '"Liberation Sans"', // the face the page embeds; never the machine's own
    // How windows fit the screen: a margin around them, in CSS pixels; the smallest scale, below
    // which the page scrolls instead, as smaller text could no longer be read; device pixels to
    // the window's pixel in steps of 1/64, exact in binary, so that 1 or 1.25 is met exactly.
    margin: 8,
    smallestScale: 0.5,
    scaleSteps: 64,
    // Device pixels to the window's pixel, at most: beyond it the browser enlarges the picture
    // as one piece. It bounds the picture's memory (a 954 × 651 window: 40 MB at 4).
    densityLimit: 4,
    fitWired: false, // the page's resize and density listeners, made once
    fitPending: false, // a fit waits for the next frame
    densityWatch: null, // the media query that tells of the next change of density

    // Windows go into the element with the id "zf-windows", or else into the body.
    container: function() {
      return document.getElementById('zf-windows') || document.body;
    },

    css: function(rgba) {
      return 'rgb(' + (rgba & 0xff) + ',' + ((rgba >>> 8) & 0xff) + ',' + ((rgba >>> 16) & 0xff) + ')';
    },

    font: function(pixelSize, bold, italic) {
      return (italic ? 'italic ' : '') + (bold ? 'bold ' : '') + pixelSize + 'px ' + ZF.fontFamily;
    },

    // A control keeps its box and font in the window's own pixels; layOut() places it at the
    // window's scale, its edges on the device pixels where the canvas has them.
    place: function(element, x, y, width, height, pixelSize, bold, italic) {
      element.zfBox = { x: x, y: y, width: width, height: height };
      element.zfFont = { pixelSize: pixelSize, bold: bold, italic: italic };
    },

    // The polite live region, which the page holds from the start: one that appears with its
    // text is not read. It has no role: a status would be a bare "statusbar" to a screen
    // reader's review of the window while nothing has been said yet.
    announcer: function() {
      var region = document.getElementById('zf-announcer');
      if (!region) {
        region = document.createElement('div');
        region.id = 'zf-announcer';
        region.className = 'zf-visually-hidden';
        region.setAttribute('aria-live', 'polite');
        region.setAttribute('aria-atomic', 'true');
        document.body.appendChild(region);
      }
      return region;
    },

    // The same words again would change nothing a screen reader could notice: a no-break space
    // tells them apart.
    announce: function(words) {
      var region = ZF.announcer();
      region.textContent = region.textContent === words ? words + '\u00a0' : words;
    },

    // While the error report is open, the windows stay as the failing handler left them.
    later: function(action) {
      if (ZF.reportOpen)
        ZF.afterReport.push(action);
      else
        action();
    },

    // The first device pixel whose centre lies at or beyond a logical edge, as the core's
    // device scale places a window's pixels.
    edge: function(logical, ratio) {
      return Math.ceil(logical * ratio - 0.5);
    },

    // A text's vertical measure as the desktop lays it out: the ascent and the line spacing of
    // the face at that pixel size, in whole pixels.
    metrics: function(pixelSize) {
      var ascent = Math.round(pixelSize * 1854 / 2048);
      var descent = Math.ceil(pixelSize * 434 / 2048);
      return { ascent: ascent, height: ascent + descent };
    },

    // Breaks a caption into lines at spaces so that each fits the box, as word wrapping does;
    // a word longer than the box stands on a line of its own. A paragraph that fits whole is
    // one line, as every part of it fits too, and is measured once.
    wrap: function(context, label) {
      context.font = label.font;
      var lines = [];
      label.caption.split('\n').forEach(function(paragraph) {
        var whole = context.measureText(paragraph).width;
        if (whole <= label.width) {
          lines.push({ text: paragraph, width: whole });
          return;
        }
        var line = '', width = 0;
        paragraph.split(' ').forEach(function(word) {
          var candidate = line === '' ? word : line + ' ' + word;
          var candidateWidth = context.measureText(candidate).width;
          if (line !== '' && candidateWidth > label.width) {
            lines.push({ text: line, width: width });
            line = word;
            width = context.measureText(word).width;
          } else {
            line = candidate;
            width = candidateWidth;
          }
        });
        lines.push({ text: line, width: width });
      });
      return lines;
    },

    paintTexts: function(win, x, y, width, height) {
      var context = win.context;
      var ratioX = win.canvas.width / win.width;
      var ratioY = win.canvas.height / win.height;
      win.labels.forEach(function(label) {
        if (!label.readable)
          return;
        var left = ZF.edge(label.x, ratioX), top = ZF.edge(label.y, ratioY);
        var right = ZF.edge(label.x + label.width, ratioX);
        var bottom = ZF.edge(label.y + label.height, ratioY);
        var clipLeft = Math.max(left, x), clipTop = Math.max(top, y);
        var clipRight = Math.min(right, x + width), clipBottom = Math.min(bottom, y + height);
        if (clipLeft >= clipRight || clipTop >= clipBottom)
          return;
        if (!label.lines)
          label.lines = ZF.wrap(context, label);
        context.save();
        context.beginPath();
        context.rect(clipLeft, clipTop, clipRight - clipLeft, clipBottom - clipTop);
        context.clip();
        context.setTransform(ratioX, 0, 0, ratioY, 0, 0);
        context.font = label.font;
        context.fillStyle = label.colour;
        context.textBaseline = 'alphabetic';
        var metrics = ZF.metrics(label.pixelSize);
        label.lines.forEach(function(line, index) {
          var offset = 0;
          if (label.alignment === 1)
            offset = label.width - line.width;
          else if (label.alignment === 2)
            offset = Math.floor((label.width - line.width) / 2);
          context.fillText(line.text, label.x + offset,
                           label.y + metrics.ascent + index * metrics.height);
        });
        context.restore();
      });
    },

    // A band of the window's picture, as the core painted it (its rows from `top`), laid on the
    // canvas unscaled: the part of it from x, y on.
    paint: function(win, pixels, deviceWidth, deviceHeight, top, rows, x, y, width, height) {
      var canvas = win.canvas;
      if (deviceWidth !== canvas.width || deviceHeight !== canvas.height)
        return; // a picture of another size than the canvas: the canvas's next size paints anew
      var band = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, pixels, deviceWidth * rows * 4),
                               deviceWidth, rows);
      win.context.putImageData(band, 0, top, x, y - top, width, height);
    },

    // The part of the page the user sees, in CSS pixels: the visual viewport where the browser
    // has one (it leaves out scroll bars and an on-screen keyboard), at the page's own zoom, so
    // that a pinch zoom is the user's and is not undone.
    visibleArea: function() {
      var viewport = window.visualViewport;
      if (viewport)
        return { width: viewport.width * viewport.scale, height: viewport.height * viewport.scale };
      return { width: document.documentElement.clientWidth,
               height: document.documentElement.clientHeight };
    },

    // How a window of the given size lies on the screen: its scale, the size of its picture in
    // device pixels, its size and origin in CSS pixels. The origin lies on a whole device pixel;
    // a window wider or taller than the visible area starts at the margin, so that it can be
    // scrolled to its every edge.
    fitOf: function(win) {
      var area = ZF.visibleArea();
      var ratio = devicePixelRatio || 1;
      var room = Math.min((area.width - 2 * ZF.margin) / win.width,
                          (area.height - 2 * ZF.margin) / win.height);
      // The steps are the density's, so that a zoom changes the window's device size little.
      var scale = Math.max(ZF.smallestScale,
                           Math.floor(room * ratio * ZF.scaleSteps) / ZF.scaleSteps / ratio);
      var density = Math.min(scale * ratio, ZF.densityLimit);
      var capped = density < scale * ratio;
      // The window's size and origin are whole CSS pixels that are whole device pixels too
      // (multiples of 4 at a density of 1.25): a browser that rounds boxes to CSS pixels puts
      // the canvas on the same device pixels as one that rounds them to device pixels.
      var step = ZF.wholeStep(ratio);
      var whole = function(value) { return Math.max(step, Math.round(value / step) * step); };
      var width = whole(win.width * scale), height = whole(win.height * scale);
      // Past the density limit the browser enlarges the picture to the window's size.
      var deviceWidth = capped ? Math.round(win.width * density) : Math.round(width * ratio);
      var deviceHeight = capped ? Math.round(win.height * density) : Math.round(height * ratio);
      var margin = Math.ceil(ZF.margin / step) * step;
      return {
        scale: scale, ratio: ratio, capped: capped,
        deviceWidth: deviceWidth, deviceHeight: deviceHeight, width: width, height: height,
        left: Math.max(margin, whole((area.width - width) / 2)),
        top: Math.max(margin, whole((area.height - height) / 2)),
      };
    },

    // The fewest CSS pixels that make whole device pixels at a density (1 at 1, 2 or 3; 4 at
    // 1.25); 1 where there is no such small number.
    wholeStep: function(ratio) {
      for (var step = 1; step <= 16; ++step)
        if (Math.abs(step * ratio - Math.round(step * ratio)) < 1e-6)
          return step;
      return 1;
    },

    // Places the window's element, canvas and controls at a fit; the controls' edges fall on
    // the device pixels where the core's picture has them, their texts at the window's scale.
    layOut: function(win, fit) {
      var element = win.element;
      element.style.width = fit.width + 'px';
      element.style.height = fit.height + 'px';
      element.style.marginLeft = fit.left + 'px';
      element.style.marginTop = fit.top + 'px';
      element.style.setProperty('--zf-scale', fit.scale);
      // The print's scale, relative to the screen's: the window whole on an A4 page with
      // 10 mm margins (718 × 1047 CSS pixels upright, 1047 × 718 across).
      var print = function(pageWidth, pageHeight) {
        return Math.min(pageWidth / win.width, pageHeight / win.height) / fit.scale;
      };
      element.style.setProperty('--zf-print-portrait', print(718, 1047));
      element.style.setProperty('--zf-print-landscape', print(1047, 718));
      win.canvas.style.width = fit.width + 'px';
      win.canvas.style.height = fit.height + 'px';
      var rx = fit.width * fit.ratio / win.width, ry = fit.height * fit.ratio / win.height;
      var at = function(logical, r) { return ZF.edge(logical, r) / fit.ratio; };
      win.placed.forEach(function(control) {
        var box = control.zfBox, font = control.zfFont;
        var left = at(box.x, rx), top = at(box.y, ry);
        control.style.left = left + 'px';
        control.style.top = top + 'px';
        control.style.width = at(box.x + box.width, rx) - left + 'px';
        control.style.height = at(box.y + box.height, ry) - top + 'px';
        control.style.font = ZF.font(font.pixelSize * fit.scale, font.bold, font.italic);
        if (control.zfRowHeight) {
          // Rows of whole device pixels, all alike, as many as the list holds.
          var inner = ZF.edge(box.y + box.height, ry) - ZF.edge(box.y, ry) - 2 * Math.ceil(fit.ratio);
          var row = Math.min(Math.round(control.zfRowHeight * ry),
                             Math.floor(inner / control.zfRows));
          control.style.setProperty('--zf-row', row / fit.ratio + 'px');
        }
      });
    },

    // Fits a shown window to the visible area and, when its picture's size changes, has the
    // core paint it anew at that density. A window about to show brings its fit, measured while
    // it was still hidden.
    fit: function(view, win, measured) {
      if (win.element.hidden)
        return;
      var fit = measured || ZF.fitOf(win);
      ZF.layOut(win, fit);
      var canvas = win.canvas;
      if (fit.deviceWidth === canvas.width && fit.deviceHeight === canvas.height && win.painted)
        return;
      var before = { width: canvas.width, height: canvas.height };
      canvas.width = fit.deviceWidth;
      canvas.height = fit.deviceHeight;
      if (_zfweb_resized(view, fit.deviceWidth, fit.deviceHeight)) {
        win.painted = true;
      } else if (win.painted) {
        // No picture at that size: the old one, enlarged or shrunk by the browser.
        canvas.width = before.width;
        canvas.height = before.height;
        _zfweb_resized(view, before.width, before.height);
      }
    },

    fitAll: function() {
      ZF.views.forEach(function(win, view) { ZF.fit(view, win); });
    },

    // A resize by dragging sends many events: the windows fit once per frame.
    fitSoon: function() {
      if (ZF.fitPending)
        return;
      ZF.fitPending = true;
      requestAnimationFrame(function() {
        ZF.fitPending = false;
        ZF.fitAll();
      });
    },

    // The page listens once for what changes the fit: a resize, a rotation or a zoom resizes
    // the visible area; a move to another screen changes the density, which only a media query
    // for the present density tells. Only the page's state is held, never a window.
    wireFit: function() {
      if (ZF.fitWired)
        return;
      ZF.fitWired = true;
      addEventListener('resize', ZF.fitSoon);
      if (window.visualViewport)
        visualViewport.addEventListener('resize', ZF.fitSoon);
      ZF.watchDensity();
    },

    watchDensity: function() {
      var watch = ZF.densityWatch;
      if (watch)
        watch.query.removeEventListener('change', watch.changed);
      var query = matchMedia('(resolution: ' + devicePixelRatio + 'dppx)');
      var changed = function() {
        ZF.watchDensity();
        ZF.fitSoon();
      };
      query.addEventListener('change', changed);
      ZF.densityWatch = { query: query, changed: changed };
    },

    updateTitle: function() {
      var latest = ZF.shown[ZF.shown.length - 1];
      if (latest && document.title !== latest.caption)
        document.title = latest.caption;
    },

    // A window that is shown takes the focus back to the control that last had it there, or
    // else to its first control that can take it, and shows at once where it is. At the start,
    // a page in another's frame takes it only where it lies in view: the focus would scroll
    // the host page to it and take the host's own focus.
    focusFirst: function(win, atStart) {
      if (win.element.contains(document.activeElement))
        return;
      var usable = function(element) {
        return element && !element.disabled && !element.hidden && element.tabIndex >= 0;
      };
      var target = usable(win.lastFocus) ? win.lastFocus : win.focusable.find(usable);
      if (!target)
        return;
      var topDocument = false;
      try {
        topDocument = window.top === window;
      } catch (e) {
        // a host of another origin: a guest all the same
      }
      if (!atStart || topDocument) {
        target.focus({ focusVisible: true });
      } else if (typeof IntersectionObserver !== 'undefined') {
        var observer = new IntersectionObserver(function(entries) {
          observer.disconnect();
          if (entries[entries.length - 1].isIntersecting && !win.element.hidden)
            target.focus({ focusVisible: true });
        });
        observer.observe(win.element);
      }
    },

    // The list is the page's own element, a listbox as WAI-ARIA describes it: one tab stop,
    // its entries as options, the chosen one its active descendant. It is drawn by the page, so
    // that it shows its rows in every browser, mobile ones included, and keeps the scheme's
    // highlight on the chosen entry with or without the focus.
    // The list's Click follows the user: a press of the mouse on any entry, the one already
    // chosen included, a tap on one, or a key that moves the choice. The user can never clear
    // the choice.
    wireList: function(view, slot, list) {
      var choose = function(index) {
        if (list.zfEnabled && index >= 0 && index < list.zfItems.children.length)
          _zfweb_chosen(view, slot, index);
      };
      var optionAt = function(target) {
        var option = target && target.closest ? target.closest('[role="option"]') : null;
        return option && option.parentNode === list.zfItems
          ? Array.prototype.indexOf.call(list.zfItems.children, option) : -1;
      };
      // The row under a point, by the rows' geometry: every point of a row belongs to it, up
      // to its edges, whatever its text covers.
      var rowAt = function(x, y) {
        var items = list.zfItems, first = items.firstElementChild;
        var box = items.getBoundingClientRect();
        if (!first || x < box.left || x >= box.right || y < box.top || y >= box.bottom)
          return -1;
        var row = first.getBoundingClientRect().height;
        var index = Math.floor((y - box.top + items.scrollTop) / row);
        return index < items.children.length ? index : -1;
      };
      // A mouse chooses as it is pressed, as on the desktop; a finger or a pen when it is
      // lifted on the entry it touched, so that a finger that scrolls the page chooses nothing.
      var touched = null;
      list.addEventListener('pointerdown', function(event) {
        if (event.pointerType === 'mouse') {
          if (event.button !== 0)
            return;
          // The focus first, then the Click: a report the Click may open keeps the focus.
          event.preventDefault();
          if (list.tabIndex >= 0)
            list.focus({ preventScroll: true });
          choose(rowAt(event.clientX, event.clientY));
          return;
        }
        touched = { id: event.pointerId, index: rowAt(event.clientX, event.clientY) };
      });
      list.addEventListener('pointerup', function(event) {
        if (!touched || touched.id !== event.pointerId)
          return;
        var index = rowAt(event.clientX, event.clientY);
        var wanted = touched.index;
        touched = null;
        if (index >= 0 && index === wanted) {
          if (document.activeElement !== list && list.tabIndex >= 0)
            list.focus({ preventScroll: true });
          choose(index);
        }
      });
      list.addEventListener('pointercancel', function() { touched = null; });
      // A click without a pointer behind it: a screen reader's or a script's.
      list.addEventListener('click', function(event) {
        if (event.detail === 0)
          choose(optionAt(event.target));
      });
      list.addEventListener('keydown', function(event) {
        if (event.altKey || event.ctrlKey || event.metaKey || !list.zfEnabled)
          return;
        var count = list.zfItems.children.length, now = list.zfSelected;
        var page = Math.max(1, list.zfRows - 1);
        var from = Math.max(now, 0);
        var target = {
          ArrowDown: now < 0 ? 0 : Math.min(count - 1, now + 1),
          ArrowUp: now < 0 ? 0 : Math.max(0, now - 1),
          Home: 0,
          End: count - 1,
          PageDown: Math.min(count - 1, from + page),
          PageUp: Math.max(0, from - page),
        }[event.key];
        if (target === undefined)
          return;
        event.preventDefault(); // the page does not scroll
        if (count > 0 && target !== now)
          choose(target);
      });
    },

    // Shows the core's choice: the highlight, the active descendant, the row in view.
    showChoice: function(list) {
      var items = list.zfItems;
      Array.prototype.forEach.call(items.children, function(option, index) {
        option.setAttribute('aria-selected', index === list.zfSelected ? 'true' : 'false');
      });
      var chosen = items.children[list.zfSelected];
      if (!chosen) {
        list.removeAttribute('aria-activedescendant');
        return;
      }
      list.setAttribute('aria-activedescendant', chosen.id);
      // Scrolled within the list only, never the page.
      var top = chosen.offsetTop, bottom = top + chosen.offsetHeight;
      if (top < items.scrollTop)
        items.scrollTop = top;
      else if (bottom > items.scrollTop + items.clientHeight)
        items.scrollTop = bottom - items.clientHeight;
    },
  },

  zfweb_create_window__deps: ['$ZF'],
  zfweb_create_window: function(view, name, caption, width, height) {
    var element = document.createElement('section');
    element.id = UTF8ToString(name);
    element.className = 'zf-window';
    element.hidden = true;
    var canvas = document.createElement('canvas');
    canvas.className = 'zf-canvas';
    canvas.setAttribute('role', 'img');
    canvas.width = 0;
    canvas.height = 0;
    // The controls go in before it: the drawing comes after them, as on the desktop.
    element.appendChild(canvas);
    var win = {
      element: element, canvas: canvas, context: canvas.getContext('2d'),
      caption: UTF8ToString(caption),
      width: width, height: height, labels: [], controls: new Map(), focusable: [],
      placed: [], // the elements laid out at the window's scale
    };
    // A window is an application to a screen reader, named by its caption: inside it the keys
    // belong to the program, so the arrow keys reach the list instead of moving the reader.
    element.setAttribute('role', 'application');
    element.setAttribute('aria-label', win.caption);
    element.addEventListener('focusin', function(event) {
      win.lastFocus = event.target;
    });
    ZF.views.set(view, win);
    ZF.container().appendChild(element);
    ZF.wireFit();
  },

  zfweb_destroy_window__deps: ['$ZF'],
  zfweb_destroy_window: function(view) {
    var win = ZF.views.get(view);
    if (!win)
      return;
    win.element.remove();
    ZF.shown = ZF.shown.filter(function(each) { return each !== win; });
    ZF.views.delete(view);
  },

  zfweb_show_window__deps: ['$ZF'],
  zfweb_show_window: function(view) {
    var win = ZF.views.get(view);
    // A window the running program switches to is named, as a screen reader on the desktop
    // names a window that becomes active; unless the handler that shows it says more itself.
    var switching = ZF.started;
    var said = ZF.announcer().textContent;
    ZF.started = true;
    ZF.later(function() {
      // The visible area is measured before the window shows, so that the page lays the window
      // out once, in its place, and not first where its controls would lie unplaced.
      var fit = ZF.fitOf(win);
      win.element.hidden = false;
      ZF.fit(view, win, fit);
      ZF.shown = ZF.shown.filter(function(each) { return each !== win; }).concat([win]);
      ZF.updateTitle();
      ZF.focusFirst(win, !switching);
      if (switching)
        queueMicrotask(function() {
          if (!win.element.hidden && ZF.announcer().textContent === said)
            ZF.announce(win.caption);
        });
    });
  },

  zfweb_hide_window__deps: ['$ZF'],
  zfweb_hide_window: function(view) {
    var win = ZF.views.get(view);
    ZF.later(function() {
      win.element.hidden = true;
      win.painted = false; // WebKit drops a hidden canvas's pixels: painted anew when shown
      ZF.shown = ZF.shown.filter(function(each) { return each !== win; });
      ZF.updateTitle();
    });
  },

  zfweb_describe__deps: ['$ZF'],
  zfweb_describe: function(view, description) {
    ZF.views.get(view).canvas.setAttribute('aria-label', UTF8ToString(description));
  },

  zfweb_paint__deps: ['$ZF'],
  zfweb_paint: function(view, pixels, deviceWidth, deviceHeight, top, rows, x, y, width, height) {
    var win = ZF.views.get(view);
    if (win)
      ZF.paint(win, pixels, deviceWidth, deviceHeight, top, rows, x, y, width, height);
  },

  // The labels' texts over the picture just laid, where it was laid.
  zfweb_paint_texts__deps: ['$ZF'],
  zfweb_paint_texts: function(view, deviceWidth, deviceHeight, x, y, width, height) {
    var win = ZF.views.get(view);
    if (win && deviceWidth === win.canvas.width && deviceHeight === win.canvas.height)
      ZF.paintTexts(win, x, y, width, height);
  },

  zfweb_create_label__deps: ['$ZF'],
  zfweb_create_label: function(view, slot, name, x, y, width, height, pixelSize, bold, italic,
                               alignment) {
    var win = ZF.views.get(view);
    // The text stays in the page for assistive technology, over its place on the canvas but
    // without ink of its own: the canvas shows it as the window paints it.
    var element = document.createElement('div');
    element.className = 'zf-label';
    element.dataset.name = UTF8ToString(name);
    element.hidden = true;
    ZF.place(element, x, y, width, height, pixelSize, bold, italic);
    win.placed.push(element);
    element.style.textAlign = ['left', 'right', 'center'][alignment];
    win.element.insertBefore(element, win.canvas);
    var label = {
      element: element, x: x, y: y, width: width, height: height, pixelSize: pixelSize,
      font: ZF.font(pixelSize, bold, italic), alignment: alignment,
      caption: '', colour: 'rgb(0,0,0)', readable: false, lines: null,
    };
    win.labels.push(label);
    win.controls.set(slot, label);
  },

  zfweb_update_label__deps: ['$ZF'],
  zfweb_update_label: function(view, slot, caption, colour, readable) {
    var label = ZF.views.get(view).controls.get(slot);
    var text = UTF8ToString(caption);
    if (text !== label.caption) {
      label.caption = text;
      label.lines = null;
      label.element.textContent = text;
    }
    label.colour = ZF.css(colour);
    // A screen reader meets a label only while the window shows something of it.
    label.readable = !!readable;
    label.element.hidden = !label.readable;
  },

  zfweb_create_button__deps: ['$ZF'],
  zfweb_create_button: function(view, slot, name, x, y, width, height, pixelSize, bold, italic,
                                visible) {
    var win = ZF.views.get(view);
    var button = document.createElement('button');
    button.type = 'button';
    button.className = 'zf-button';
    button.dataset.name = UTF8ToString(name);
    ZF.place(button, x, y, width, height, pixelSize, bold, italic);
    win.placed.push(button);
    button.hidden = !visible;
    button.addEventListener('click', function() {
      _zfweb_pressed(view, slot);
    });
    win.element.insertBefore(button, win.canvas);
    win.controls.set(slot, button);
    win.focusable.push(button);
  },

  zfweb_update_button__deps: ['$ZF'],
  zfweb_update_button: function(view, slot, caption, enabled) {
    var button = ZF.views.get(view).controls.get(slot);
    button.textContent = UTF8ToString(caption);
    button.disabled = !enabled;
  },

  zfweb_create_list__deps: ['$ZF'],
  zfweb_create_list: function(view, slot, name, x, y, width, height, pixelSize, bold, italic,
                              background, foreground, visible) {
    var win = ZF.views.get(view);
    var list = document.createElement('div');
    list.className = 'zf-list';
    list.dataset.name = UTF8ToString(name);
    list.id = win.element.id + '-' + list.dataset.name;
    list.setAttribute('role', 'listbox');
    list.tabIndex = 0;
    // Rows as high as the desktop's: the face's line spacing, as many as the box holds whole.
    list.zfRowHeight = ZF.metrics(pixelSize).height;
    list.zfRows = Math.max(2, Math.floor(height / list.zfRowHeight));
    ZF.place(list, x, y, width, height, pixelSize, bold, italic);
    win.placed.push(list);
    list.style.backgroundColor = ZF.css(background);
    list.style.color = ZF.css(foreground);
    list.hidden = !visible;
    list.zfSelected = -1;
    list.zfEnabled = true;
    // The entries scroll inside the frame: a frame that scrolled itself would be rounded to
    // the device pixels otherwise than the window's picture is.
    list.zfItems = document.createElement('div');
    list.zfItems.className = 'zf-items';
    list.zfItems.setAttribute('role', 'none');
    list.appendChild(list.zfItems);
    ZF.wireList(view, slot, list);
    win.element.insertBefore(list, win.canvas);
    win.controls.set(slot, list);
    win.focusable.push(list);
  },

  zfweb_clear_list__deps: ['$ZF'],
  zfweb_clear_list: function(view, slot) {
    ZF.views.get(view).controls.get(slot).zfItems.replaceChildren();
  },

  zfweb_add_list_item__deps: ['$ZF'],
  zfweb_add_list_item: function(view, slot, text) {
    var list = ZF.views.get(view).controls.get(slot);
    var option = document.createElement('div');
    option.className = 'zf-option';
    option.setAttribute('role', 'option');
    option.setAttribute('aria-selected', 'false');
    option.id = list.id + '-' + list.zfItems.children.length;
    option.textContent = UTF8ToString(text);
    list.zfItems.appendChild(option);
  },

  zfweb_update_list__deps: ['$ZF'],
  zfweb_update_list: function(view, slot, selected, enabled, name) {
    var list = ZF.views.get(view).controls.get(slot);
    list.zfSelected = selected;
    list.zfEnabled = !!enabled;
    list.tabIndex = enabled ? 0 : -1;
    if (enabled)
      list.removeAttribute('aria-disabled');
    else
      list.setAttribute('aria-disabled', 'true');
    ZF.showChoice(list);
    var accessibleName = UTF8ToString(name);
    if (accessibleName)
      list.setAttribute('aria-label', accessibleName);
    else
      list.removeAttribute('aria-label');
  },

  zfweb_announce__deps: ['$ZF'],
  zfweb_announce: function(text) {
    ZF.announce(UTF8ToString(text));
  },

  zfweb_report__deps: ['$ZF'],
  zfweb_report: function(description, advice) {
    var dialog = document.createElement('dialog');
    dialog.className = 'zf-report';
    dialog.setAttribute('aria-labelledby', 'zf-report-title');
    var title = document.createElement('h2');
    title.id = 'zf-report-title';
    title.textContent = 'Ein Fehler ist aufgetreten';
    var what = document.createElement('p');
    what.textContent = UTF8ToString(description);
    var next = document.createElement('p');
    next.textContent = UTF8ToString(advice);
    var form = document.createElement('form');
    form.method = 'dialog';
    var close = document.createElement('button');
    close.textContent = 'OK';
    form.appendChild(close);
    dialog.append(title, what, next, form);
    document.body.appendChild(dialog);
    ZF.reportOpen = true;
    dialog.addEventListener('close', function() {
      dialog.remove();
      ZF.reportOpen = false;
      var waiting = ZF.afterReport;
      ZF.afterReport = [];
      waiting.forEach(function(action) { action(); });
    });
    dialog.showModal();
  },

  zfweb_program_ended__deps: ['$ZF'],
  zfweb_program_ended: function(exitStatus) {
    ZF.later(function() {
      // Every window leaves the page; the page's start-up says that the program has ended.
      ZF.views.forEach(function(win) {
        win.element.remove();
      });
      ZF.shown = [];
      document.dispatchEvent(new CustomEvent('zf-program-ended', { detail: { exitStatus: exitStatus } }));
    });
  },

  zfweb_decimal_separator: function() {
    var separator = ',';
    try {
      var parts = new Intl.NumberFormat(navigator.language).formatToParts(1.5);
      parts.forEach(function(part) {
        if (part.type === 'decimal')
          separator = part.value;
      });
    } catch (e) {
      // no Intl: the program's own language, German
    }
    return allocateUTF8(separator);
  },
});
