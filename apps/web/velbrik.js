// The cockpit page's glue: starts the wasm cockpit, draws its picture on the
// canvas at the cockpit's refresh rate, and hands it the pointer, the keys
// and the page's focus. Everything else is the cockpit's own C++.
'use strict';

(function() {
const kPeriod = 30;  // ms from one repaint of the displays to the next
const canvas = document.getElementById('cockpit');
const hint = document.getElementById('hint');
const started = performance.now();

VelbrikCockpit().then(function(wasm) {
  const call = {
    start: wasm.cwrap('velbrik_start', 'boolean', ['number']),
    width: wasm.cwrap('velbrik_width', 'number', []),
    height: wasm.cwrap('velbrik_height', 'number', []),
    tick: wasm.cwrap('velbrik_tick', 'number', []),
    pointer: wasm.cwrap('velbrik_pointer', null, ['number', 'number', 'number', 'boolean']),
    button: wasm.cwrap('velbrik_button', 'boolean', ['boolean']),
    keyDown: wasm.cwrap('velbrik_key_down', 'number', ['string']),
    keyUp: wasm.cwrap('velbrik_key_up', null, ['string']),
    focus: wasm.cwrap('velbrik_focus', null, ['boolean']),
  };
  const displays = new URLSearchParams(location.search).get('displays') === '1' ? 1 : 2;
  if (!call.start(displays)) {
    hint.textContent = 'The cockpit could not start (see the console).';
    return;
  }
  const width = call.width(), height = call.height();
  canvas.width = width;
  canvas.height = height;
  const context = canvas.getContext('2d');
  let scale = 1;       // screen pixels to a picture pixel
  let pointer = null;  // {x, y} in page pixels from the canvas's top left, while over it or locked

  // The largest whole number of screen pixels to a picture pixel that fits
  // the window: crisp pixels, on screens of any pixel ratio.
  function fit() {
    const ratio = devicePixelRatio || 1;
    scale = Math.max(1, Math.floor(Math.min(innerWidth * ratio / width, (innerHeight - 40) * ratio / height)));
    canvas.style.width = width * scale / ratio + 'px';
    canvas.style.height = height * scale / ratio + 'px';
  }
  fit();
  addEventListener('resize', fit);

  function show(pixels) {
    const bytes = new Uint8ClampedArray(wasm.HEAPU8.buffer, pixels, width * height * 4);
    context.putImageData(new ImageData(bytes, width, height), 0, 0);
  }
  show(call.tick());
  window.velbrikFirstFrame = performance.now() - started;  // ms from the script's start
  hint.textContent = 'Click a display to play (the mouse moves its paddle); Esc lets the mouse go. F1: help.';

  // The frame loop: one cockpit refresh per period, a few at most per
  // animation frame, and no burst to catch up after a stall.
  let last = null, owed = 0;
  function frame(now) {
    owed += last === null ? kPeriod : now - last;
    last = now;
    let pixels = 0;
    for (let n = 0; owed >= kPeriod && n < 4; ++n, owed -= kPeriod) pixels = call.tick();
    if (owed > 4 * kPeriod) owed = 0;
    if (pixels) show(pixels);
    requestAnimationFrame(frame);
  }
  requestAnimationFrame(frame);

  function locked() { return document.pointerLockElement === canvas; }
  function tell() {
    const ratio = devicePixelRatio || 1;  // the cockpit takes the pointer in screen pixels
    if (pointer)
      call.pointer(Math.floor(pointer.x * ratio), Math.floor(pointer.y * ratio), scale, true);
    else
      call.pointer(0, 0, scale, false);
  }
  // Over the canvas the pointer is where it shows; locked, it travels by
  // the mouse's motion and stays on the canvas.
  document.addEventListener('mousemove', function(e) {
    const box = canvas.getBoundingClientRect();
    if (locked()) {
      pointer = pointer || {x: box.width / 2, y: box.height / 2};
      pointer.x = Math.min(Math.max(pointer.x + e.movementX, 0), box.width - 1);
      pointer.y = Math.min(Math.max(pointer.y + e.movementY, 0), box.height - 1);
    } else {
      const x = e.clientX - box.left, y = e.clientY - box.top;
      pointer = x >= 0 && y >= 0 && x < box.width && y < box.height ? {x: x, y: y} : null;
    }
    tell();
  });
  canvas.addEventListener('mousedown', function(e) {
    if (e.button !== 0) return;
    canvas.focus();
    // A click on a button presses it; anywhere else it takes the mouse for playing.
    if (!call.button(true) && !locked() && canvas.requestPointerLock) canvas.requestPointerLock();
    e.preventDefault();
  });
  document.addEventListener('mouseup', function(e) {
    if (e.button === 0) call.button(false);
  });

  document.addEventListener('keydown', function(e) {
    if (e.repeat) return;
    const effect = call.keyDown(e.code);
    if (effect === 0) return;
    e.preventDefault();
    if (effect === 2) screenshot();
    if (effect === 3 && locked()) document.exitPointerLock();
  });
  document.addEventListener('keyup', function(e) { call.keyUp(e.code); });
  addEventListener('blur', function() { call.focus(false); });
  addEventListener('focus', function() { call.focus(true); });
  document.addEventListener('visibilitychange', function() { call.focus(!document.hidden); });

  // The picture as the canvas holds it, one pixel per display pixel.
  let shots = 0;
  function screenshot() {
    const link = document.createElement('a');
    link.download = 'velbrik-play-' + ++shots + '.png';
    link.href = canvas.toDataURL('image/png');
    link.click();
  }
});
})();
