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

    place: function(element, x, y, width, height) {
      element.style.left = x + 'px';
      element.style.top = y + 'px';
      element.style.width = width + 'px';
      element.style.height = height + 'px';
    },

    // The polite live region, which the page holds from the start: one that appears with its
    // text is not read.
    announcer: function() {
      var region = document.getElementById('zf-announcer');
      if (!region) {
        region = document.createElement('div');
        region.id = 'zf-announcer';
        region.className = 'zf-visually-hidden';
        region.setAttribute('role', 'status');
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
    // a word longer than the box stands on a line of its own.
    wrap: function(context, label) {
      context.font = label.font;
      var lines = [];
      label.caption.split('\n').forEach(function(paragraph) {
        var line = '';
        paragraph.split(' ').forEach(function(word) {
          var candidate = line === '' ? word : line + ' ' + word;
          if (line !== '' && context.measureText(candidate).width > label.width) {
            lines.push(line);
            line = word;
          } else {
            line = candidate;
          }
        });
        lines.push(line);
      });
      return lines.map(function(text) {
        return { text: text, width: context.measureText(text).width };
      });
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

    // The window's picture, as the core painted it, laid on the canvas unscaled; then the
    // labels' texts over it.
    paint: function(win, pixels, deviceWidth, deviceHeight, x, y, width, height) {
      var canvas = win.canvas;
      if (deviceWidth !== canvas.width || deviceHeight !== canvas.height)
        return; // a picture of another size than the canvas: the canvas's next size paints anew
      var picture = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, pixels,
                                                        deviceWidth * deviceHeight * 4),
                                  deviceWidth, deviceHeight);
      win.context.putImageData(picture, 0, 0, x, y, width, height);
      ZF.paintTexts(win, x, y, width, height);
    },

    // Reports the canvas's size in device pixels, now and after every change of zoom or
    // density; the window then paints itself anew at that size. The browser's own count of the
    // canvas's device pixels is taken where it agrees with the density (it differs by a pixel
    // of rounding at most); where a browser does not keep it up to date, the density decides.
    observe: function(view, win) {
      var measure = function(deviceSize) {
        if (!win.observer || win.element.hidden)
          return;
        var ratio = devicePixelRatio;
        var width = Math.round(win.width * ratio);
        var height = Math.round(win.height * ratio);
        if (deviceSize && Math.abs(deviceSize.inlineSize - win.width * ratio) <= 1 &&
            Math.abs(deviceSize.blockSize - win.height * ratio) <= 1) {
          width = deviceSize.inlineSize;
          height = deviceSize.blockSize;
        }
        if (width === win.canvas.width && height === win.canvas.height && win.painted)
          return;
        win.canvas.width = width;
        win.canvas.height = height;
        win.painted = true;
        _zfweb_resized(view, width, height);
      };
      win.observer = typeof ResizeObserver === 'undefined' ? { disconnect: function() {} }
        : new ResizeObserver(function(entries) {
          var entry = entries[entries.length - 1];
          if (entry.contentRect.width > 0)
            measure(entry.devicePixelContentBoxSize && entry.devicePixelContentBoxSize[0]);
        });
      if (win.observer.observe) {
        try {
          win.observer.observe(win.canvas, { box: 'device-pixel-content-box' });
        } catch (e) {
          win.observer.observe(win.canvas); // browsers without that box
        }
      }
      // A zoom resizes the page's viewport; a move to another screen changes the density.
      win.onResize = function() { measure(null); };
      addEventListener('resize', win.onResize);
      var density = function() {
        matchMedia('(resolution: ' + devicePixelRatio + 'dppx)').addEventListener('change',
          function() {
            if (!win.observer)
              return; // the window is gone
            measure(null);
            density();
          }, { once: true });
      };
      density();
      measure(null);
    },

    unobserve: function(win) {
      if (win.observer)
        win.observer.disconnect();
      win.observer = null;
      removeEventListener('resize', win.onResize);
    },

    updateTitle: function() {
      var latest = ZF.shown[ZF.shown.length - 1];
      if (latest)
        document.title = latest.caption;
    },

    // A window that is shown takes the focus back to the control that last had it there, or
    // else to its first control that can take it, and shows at once where it is.
    focusFirst: function(win) {
      if (win.element.contains(document.activeElement))
        return;
      var usable = function(element) {
        return element && !element.disabled && !element.hidden;
      };
      var target = usable(win.lastFocus) ? win.lastFocus : win.focusable.find(usable);
      if (target)
        target.focus({ focusVisible: true });
    },

    // The list's Click follows the user: a change of selection by mouse or keyboard, and a
    // click on the entry already selected. The user can never clear the selection.
    wireList: function(view, slot, list) {
      var before = -1;
      list.addEventListener('mousedown', function() {
        before = list.selectedIndex;
      });
      list.addEventListener('change', function() {
        if (list.selectedIndex < 0) {
          list.selectedIndex = list.zfSelected;
          return;
        }
        _zfweb_chosen(view, slot, list.selectedIndex);
      });
      list.addEventListener('click', function(event) {
        var option = event.target.closest ? event.target.closest('option') : null;
        if (option && before >= 0 && option.index === before && list.selectedIndex === before)
          _zfweb_chosen(view, slot, before);
        before = -1;
      });
    },
  },

  zfweb_create_window__deps: ['$ZF'],
  zfweb_create_window: function(view, name, caption, width, height) {
    var element = document.createElement('section');
    element.id = UTF8ToString(name);
    element.className = 'zf-window';
    element.hidden = true;
    element.style.width = width + 'px';
    element.style.height = height + 'px';
    var canvas = document.createElement('canvas');
    canvas.className = 'zf-canvas';
    canvas.setAttribute('role', 'img');
    canvas.style.width = width + 'px';
    canvas.style.height = height + 'px';
    canvas.width = 0;
    canvas.height = 0;
    // The controls go in before it: the drawing comes after them, as on the desktop.
    element.appendChild(canvas);
    var win = {
      element: element, canvas: canvas, context: canvas.getContext('2d'),
      caption: UTF8ToString(caption),
      width: width, height: height, labels: [], controls: new Map(), focusable: [],
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
    ZF.observe(view, win);
  },

  zfweb_destroy_window__deps: ['$ZF'],
  zfweb_destroy_window: function(view) {
    var win = ZF.views.get(view);
    if (!win)
      return;
    ZF.unobserve(win);
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
      win.element.hidden = false;
      ZF.shown = ZF.shown.filter(function(each) { return each !== win; }).concat([win]);
      ZF.updateTitle();
      ZF.focusFirst(win);
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
      ZF.shown = ZF.shown.filter(function(each) { return each !== win; });
      ZF.updateTitle();
    });
  },

  zfweb_describe__deps: ['$ZF'],
  zfweb_describe: function(view, description) {
    ZF.views.get(view).canvas.setAttribute('aria-label', UTF8ToString(description));
  },

  zfweb_paint__deps: ['$ZF'],
  zfweb_paint: function(view, pixels, deviceWidth, deviceHeight, x, y, width, height) {
    var win = ZF.views.get(view);
    if (win)
      ZF.paint(win, pixels, deviceWidth, deviceHeight, x, y, width, height);
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
    ZF.place(element, x, y, width, height);
    element.style.font = ZF.font(pixelSize, bold, italic);
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
    ZF.place(button, x, y, width, height);
    button.style.font = ZF.font(pixelSize, bold, italic);
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
    var list = document.createElement('select');
    list.className = 'zf-list';
    list.dataset.name = UTF8ToString(name);
    list.size = Math.max(2, Math.floor(height / ZF.metrics(pixelSize).height));
    ZF.place(list, x, y, width, height);
    list.style.font = ZF.font(pixelSize, bold, italic);
    list.style.backgroundColor = ZF.css(background);
    list.style.color = ZF.css(foreground);
    list.hidden = !visible;
    list.zfSelected = -1;
    ZF.wireList(view, slot, list);
    win.element.insertBefore(list, win.canvas);
    win.controls.set(slot, list);
    win.focusable.push(list);
  },

  zfweb_clear_list__deps: ['$ZF'],
  zfweb_clear_list: function(view, slot) {
    ZF.views.get(view).controls.get(slot).replaceChildren();
  },

  zfweb_add_list_item__deps: ['$ZF'],
  zfweb_add_list_item: function(view, slot, text) {
    var option = document.createElement('option');
    option.textContent = UTF8ToString(text);
    ZF.views.get(view).controls.get(slot).appendChild(option);
  },

  zfweb_update_list__deps: ['$ZF'],
  zfweb_update_list: function(view, slot, selected, enabled, name) {
    var list = ZF.views.get(view).controls.get(slot);
    list.zfSelected = selected;
    list.selectedIndex = selected;
    list.disabled = !enabled;
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
        ZF.unobserve(win);
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
