// Route drawing shared by the three map pages.
//
// The viewer drives a page only through the global functions defined here
// (mapClearAll, setCenter, mapAddPoint, loadAllGpsDataOfVideo, showMapCenter,
// and for a whole trip mapShowTrip, mapSetPlayed).
// A page picks a backend (the provider's map, or Leaflet when the provider's
// script is not there); calls that arrive before a backend is ready are kept
// and replayed, and a backend that is replaced gets the drawn state again.
(function () {
    'use strict';

    // Zoom used when the map first follows a point: streets are readable.
    var FOLLOW_ZOOM = 16;
    // Zoom of the language's default place (showMapCenter).
    var CITY_ZOOM = 12;
    // How many recent calls trackoraMapState() reports.
    var CALL_LOG_SIZE = 200;
    // A transparent pixel: tiles that fail to load leave the background bare.
    // Speed bands of a trip's route, upper limits in km/h, and their colours.
    var SPEED_BANDS = [30, 60, 90, 120];
    var BAND_COLOURS = ['#2e7d32', '#9acd32', '#f5c400', '#f57c00', '#d50000'];
    // A click on the route counts within this many pixels of a sample.
    var CLICK_REACH_PX = 30;
    var EMPTY_TILE = 'data:image/gif;base64,R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7';

    var backend = null;
    var pending = [];
    var batch = null;
    var state = {
        route: [],      // [lng, lat, index] of the current recording, as played
        track: [],      // [lng, lat, index] of the whole recording
        trackCount: 0,  // count of the last complete batch
        marker: null,   // [lng, lat] of the current point
        trip: [],       // [lng, lat, speed, index] of the whole trip, by index
        played: -1,     // the trip index played last; -1: none
        clicked: null,  // the trip index the last click on the route chose
        calls: []       // recent calls as received: [name, arg, ...]
    };

    function drawable(lng, lat) {
        // The camera writes 0,0 while it has no fix; those are not places.
        return typeof lng === 'number' && typeof lat === 'number' &&
            isFinite(lng) && isFinite(lat) && !(lng === 0 && lat === 0) &&
            Math.abs(lat) <= 90 && Math.abs(lng) <= 180;
    }

    function logCall(name, args) {
        state.calls.push([name].concat(Array.prototype.slice.call(args)));
        if (state.calls.length > CALL_LOG_SIZE)
            state.calls.shift();
    }

    var ops = {
        mapClearAll: function () {
            state.trip = [];
            state.played = -1;
            state.route = [];
            state.track = [];
            state.trackCount = 0;
            state.marker = null;
            batch = null;
            backend.clear();
        },
        setCenter: function (lng, lat) {
            // 0,0 keeps the page's own starting view.
            if (drawable(lng, lat))
                backend.setView(lng, lat, null);
        },
        mapAddPoint: function (lng, lat, index) {
            if (!drawable(lng, lat))
                return;
            state.route.push([lng, lat, index]);
            state.marker = [lng, lat];
            backend.drawRoute(state.route);
            backend.setMarker(lng, lat);
            backend.follow(lng, lat, state.route.length === 1 ? FOLLOW_ZOOM : null);
        },
        loadAllGpsDataOfVideo: function (lng, lat, index, count) {
            if (!(count > 0) || !(index >= 0) || index >= count || Math.floor(index) !== index)
                return;
            // A new batch starts with a new count or with a slot already filled.
            if (!batch || batch.count !== count || batch.slots[index] !== undefined)
                batch = { count: count, slots: new Array(count), received: 0 };
            batch.slots[index] = [lng, lat, index];
            batch.received += 1;
            if (batch.received < count)
                return;
            state.track = batch.slots.filter(function (p) { return drawable(p[0], p[1]); });
            state.trackCount = count;
            batch = null;
            backend.drawTrack(state.track);
            if (state.track.length > 0)
                backend.fitTrack(state.track);
        },
        mapShowTrip: function (points) {
            state.trip = (Array.isArray(points) ? points : []).filter(function (p) {
                return Array.isArray(p) && p.length >= 4 && drawable(p[0], p[1]) &&
                    typeof p[2] === 'number' && isFinite(p[2]) && typeof p[3] === 'number' && isFinite(p[3]);
            }).sort(function (a, b) { return a[3] - b[3]; });
            state.played = -1;
            showTrip();
            if (state.trip.length > 0)
                backend.fitTrack(state.trip);
        },
        mapSetPlayed: function (index) {
            if (typeof index !== 'number' || !isFinite(index))
                return;
            state.played = index;
            showPlayed();
        },
        showMapCenter: function (lng, lat) {
            if (drawable(lng, lat))
                backend.setView(lng, lat, CITY_ZOOM);
        }
    };

    function band(speed) {
        for (var b = 0; b < SPEED_BANDS.length; ++b) {
            if (speed <= SPEED_BANDS[b])
                return b;
        }
        return SPEED_BANDS.length;
    }

    // The last trip point at or before index; -1 before the first.
    function tripPointAt(index) {
        var lo = 0, hi = state.trip.length - 1, found = -1;
        while (lo <= hi) {
            var mid = (lo + hi) >> 1;
            if (state.trip[mid][3] <= index) {
                found = mid;
                lo = mid + 1;
            } else {
                hi = mid - 1;
            }
        }
        return found;
    }

    // A backend of its own draws bands; a provider's map gets the plain
    // track and route it already knows.
    function showTrip() {
        if (backend.drawTrip) {
            backend.drawTrip(state.trip);
        } else {
            backend.drawTrack(state.trip.map(function (p) { return [p[0], p[1], p[3]]; }));
            backend.drawRoute([]);
        }
    }

    function showPlayed() {
        var at = tripPointAt(state.played);
        if (backend.setPlayed) {
            backend.setPlayed(at);
        } else {
            backend.drawRoute(state.trip.slice(0, at + 1).map(function (p) { return [p[0], p[1], p[3]]; }));
        }
        if (at >= 0) {
            var p = state.trip[at];
            state.marker = [p[0], p[1]];
            backend.setMarker(p[0], p[1]);
        }
    }

    // The viewer's side of the page, when it offers one (Qt WebChannel).
    var bridge = null;
    var bridgeAsked = false;
    function connectBridge() {
        if (bridgeAsked || typeof QWebChannel === 'undefined' || typeof qt === 'undefined' || !qt.webChannelTransport)
            return;
        bridgeAsked = true;
        new QWebChannel(qt.webChannelTransport, function (channel) {
            bridge = channel.objects.trackoraMap || null;
        });
    }

    // The nearest trip sample to a point of the map's element, within reach.
    function tripIndexNear(x, y, toPixel) {
        var best = -1, bestDistance = CLICK_REACH_PX * CLICK_REACH_PX;
        for (var i = 0; i < state.trip.length; ++i) {
            var q = toPixel(state.trip[i][0], state.trip[i][1]);
            var dx = q.x - x, dy = q.y - y, d = dx * dx + dy * dy;
            if (d <= bestDistance) {
                bestDistance = d;
                best = i;
            }
        }
        return best < 0 ? -1 : state.trip[best][3];
    }

    function routeClicked(index) {
        if (index < 0)
            return;
        state.clicked = index;
        if (bridge && bridge.clickRoute)
            bridge.clickRoute(index);
    }

    function call(name, args) {
        logCall(name, args);
        if (!backend) {
            pending.push([name, Array.prototype.slice.call(args)]);
            return;
        }
        try {
            ops[name].apply(null, args);
        } catch (e) {
            console.error(name + ' failed: ' + e);
        }
    }

    Object.keys(ops).forEach(function (name) {
        window[name] = function () { call(name, arguments); };
    });

    function useBackend(next) {
        var previous = backend;
        backend = next;
        if (previous) {
            // Redraw what the old map showed; the viewer does not send it again.
            if (state.track.length > 0)
                backend.drawTrack(state.track);
            if (state.route.length > 0)
                backend.drawRoute(state.route);
            if (state.trip.length > 0) {
                showTrip();
                showPlayed();
            }
            if (state.marker) {
                backend.setMarker(state.marker[0], state.marker[1]);
                backend.follow(state.marker[0], state.marker[1], FOLLOW_ZOOM);
            }
        }
        var queued = pending;
        pending = [];
        queued.forEach(function (c) {
            try {
                ops[c[0]].apply(null, c[1]);
            } catch (e) {
                console.error(c[0] + ' failed: ' + e);
            }
        });
    }

    function query() {
        var result = {};
        var search = window.location.search.replace(/^\?/, '');
        if (!search)
            return result;
        search.split('&').forEach(function (item) {
            var at = item.indexOf('=');
            var key = decodeURIComponent((at < 0 ? item : item.slice(0, at)).replace(/\+/g, ' '));
            var value = at < 0 ? '' : decodeURIComponent(item.slice(at + 1).replace(/\+/g, ' '));
            result[key] = value;
        });
        return result;
    }

    // Links leave the map in a new window, which the viewer hands to the
    // system browser; the map page itself never navigates away.
    function externalLinks(container) {
        container.addEventListener('click', function (event) {
            var link = event.target.closest ? event.target.closest('a[href]') : null;
            if (link && /^https?:/.test(link.href))
                link.setAttribute('target', '_blank');
        }, true);
    }

    function makeLeafletBackend(element, start) {
        L.Icon.Default.imagePath = 'leaflet/images/';
        var map = L.map(element, { zoomControl: true, attributionControl: true });
        map.attributionControl.setPrefix('');
        L.tileLayer('https://tile.openstreetmap.org/{z}/{x}/{y}.png', {
            maxZoom: 19,
            errorTileUrl: EMPTY_TILE,
            attribution: '&copy; <a href="https://www.openstreetmap.org/copyright" target="_blank">OpenStreetMap</a> contributors'
        }).addTo(map);
        L.control.scale({ imperial: false }).addTo(map);
        map.setView([start.lat, start.lng], start.zoom);
        externalLinks(map.getContainer());

        var track = null;
        var route = null;
        var marker = null;
        var tripLayer = null;
        var playedLine = null;
        var playedCount = 0;
        var tripPoints = [];
        var legend = null;
        var renderer = L.canvas({ padding: 0.5 });
        map.on('click', function (event) {
            if (tripPoints.length === 0)
                return;
            routeClicked(tripIndexNear(event.containerPoint.x, event.containerPoint.y, function (lng, lat) {
                return map.latLngToContainerPoint([lat, lng]);
            }));
        });
        function showLegend() {
            if (legend)
                return;
            legend = L.control({ position: 'bottomright' });
            legend.onAdd = function () {
                var div = L.DomUtil.create('div', 'trackora-legend');
                var rows = [];
                for (var b = 0; b < BAND_COLOURS.length; ++b) {
                    var label = b < SPEED_BANDS.length ? '\u2264 ' + SPEED_BANDS[b] : '> ' + SPEED_BANDS[SPEED_BANDS.length - 1];
                    rows.push('<span style="background:' + BAND_COLOURS[b] + '"></span>' + label);
                }
                div.innerHTML = rows.join('<br>') + '<br>km/h';
                return div;
            };
            legend.addTo(map);
        }
        function latLngs(points) {
            return points.map(function (p) { return [p[1], p[0]]; });
        }
        return {
            kind: 'leaflet',
            clear: function () {
                [track, route, marker, tripLayer, playedLine].forEach(function (layer) {
                    if (layer)
                        map.removeLayer(layer);
                });
                track = route = marker = tripLayer = playedLine = null;
                tripPoints = [];
                playedCount = 0;
                if (legend) {
                    legend.remove();
                    legend = null;
                }
            },
            drawRoute: function (points) {
                if (!route)
                    route = L.polyline([], { color: '#d7261e', weight: 5, opacity: 0.9 }).addTo(map);
                route.setLatLngs(latLngs(points));
            },
            drawTrack: function (points) {
                if (!track)
                    track = L.polyline([], { color: '#2a6fdb', weight: 4, opacity: 0.6 }).addTo(map);
                track.setLatLngs(latLngs(points));
                if (route)
                    route.bringToFront();
            },
            drawTrip: function (points) {
                [tripLayer, playedLine].forEach(function (layer) {
                    if (layer)
                        map.removeLayer(layer);
                });
                tripPoints = points;
                playedCount = 0;
                tripLayer = L.layerGroup();
                // One line per run of samples in the same band; each run
                // shares its first point with the run before.
                var run = [];
                var runBand = -1;
                points.forEach(function (p) {
                    var b = band(p[2]);
                    if (b !== runBand && run.length > 0) {
                        run.push([p[1], p[0]]);
                        L.polyline(run, { color: BAND_COLOURS[runBand], weight: 6, opacity: 0.85, renderer: renderer,
                                          interactive: false }).addTo(tripLayer);
                        run = [];
                    }
                    runBand = b;
                    run.push([p[1], p[0]]);
                });
                if (run.length > 0)
                    L.polyline(run, { color: BAND_COLOURS[runBand], weight: 6, opacity: 0.85, renderer: renderer,
                                      interactive: false }).addTo(tripLayer);
                tripLayer.addTo(map);
                playedLine = L.polyline([], { color: '#1a237e', weight: 3, opacity: 0.9, renderer: renderer,
                                              interactive: false }).addTo(map);
                if (points.length > 0)
                    showLegend();
                if (marker)
                    marker.setZIndexOffset(1000);
            },
            setPlayed: function (at) {
                if (!playedLine)
                    return;
                // Forward by a few samples (each second) only adds them.
                if (at + 1 >= playedCount && at + 1 - playedCount < 50) {
                    for (var i = playedCount; i <= at; ++i)
                        playedLine.addLatLng([tripPoints[i][1], tripPoints[i][0]]);
                } else {
                    playedLine.setLatLngs(tripPoints.slice(0, at + 1).map(function (p) { return [p[1], p[0]]; }));
                }
                playedCount = at + 1;
            },
            setMarker: function (lng, lat) {
                if (!marker)
                    marker = L.marker([lat, lng], { interactive: false, keyboard: false }).addTo(map);
                else
                    marker.setLatLng([lat, lng]);
            },
            follow: function (lng, lat, zoom) {
                map.setView([lat, lng], zoom === null ? map.getZoom() : Math.max(zoom, map.getZoom()),
                            { animate: false });
            },
            setView: function (lng, lat, zoom) {
                map.setView([lat, lng], zoom === null ? map.getZoom() : zoom, { animate: false });
            },
            fitTrack: function (points) {
                map.fitBounds(L.latLngBounds(latLngs(points)), { animate: false, padding: [20, 20] });
            },
            pixelOf: function (lng, lat) {
                return map.latLngToContainerPoint([lat, lng]);
            },
            view: function () {
                var c = map.getCenter();
                return { lng: c.lng, lat: c.lat, zoom: map.getZoom() };
            },
            hasScale: function () {
                return !!map.getContainer().querySelector('.leaflet-control-scale');
            },
            markerShown: function () {
                var icon = marker && marker._icon;
                return !!icon && icon.complete && icon.naturalWidth > 0;
            },
            destroy: function () {
                map.remove();
            }
        };
    }

    function freshMapElement() {
        var old = document.getElementById('map');
        var element = document.createElement('div');
        element.id = 'map';
        old.parentNode.replaceChild(element, old);
        return element;
    }

    // The fallback of the provider pages: a provider's map that is up owns
    // its element, so Leaflet gets a fresh one.
    function useLeaflet(reason, start) {
        console.log('drawing without the provider\'s map: ' + reason);
        if (backend && backend.kind === 'leaflet')
            return;
        useBackend(makeLeafletBackend(backend ? freshMapElement() : 'map', start));
    }

    // Loads a provider's script; exactly one of ready/failed is called.
    // The provider names the global callback it calls once it is usable.
    function loadProviderScript(url, callbackName, timeoutMs, ready, failed) {
        var settled = false;
        function settle(fn, reason) {
            if (settled)
                return;
            settled = true;
            window.clearTimeout(timer);
            fn(reason);
        }
        window[callbackName] = function () { settle(ready); };
        var timer = window.setTimeout(function () { settle(failed, 'timed out'); }, timeoutMs);
        var script = document.createElement('script');
        script.src = url;
        script.async = true;
        script.onerror = function () { settle(failed, 'not loaded'); };
        document.head.appendChild(script);
    }

    // Draws with the provider's map once its script is ready; Leaflet when
    // the script or the map fails.
    function useProvider(url, callbackName, timeoutMs, makeBackend, start) {
        loadProviderScript(url, callbackName, timeoutMs, function () {
            try {
                useBackend(makeBackend());
            } catch (e) {
                useLeaflet('the provider\'s map failed: ' + e, start);
            }
        }, function (reason) { useLeaflet(reason, start); });
    }

    // A click right on the trip sample of that index, as the page would take
    // it; for checks from outside. The index chosen, or -1.
    window.trackoraClickTrip = function (index) {
        var b = backend && backend.pixelOf ? backend : null;
        var at = tripPointAt(index);
        if (!b || at < 0)
            return -1;
        var q = b.pixelOf(state.trip[at][0], state.trip[at][1]);
        var index = tripIndexNear(q.x, q.y, b.pixelOf);
        routeClicked(index);
        return index;
    };

    connectBridge();
    document.addEventListener('DOMContentLoaded', connectBridge);

    window.TrackoraMap = {
        query: query,
        useBackend: useBackend,
        makeLeafletBackend: makeLeafletBackend,
        loadProviderScript: loadProviderScript,
        useLeaflet: useLeaflet,
        useProvider: useProvider,
        externalLinks: externalLinks,
        backend: function () { return backend; }
    };

    // Read-only view of what the page shows, for checks from outside.
    window.trackoraMapState = function () {
        var view = backend ? backend.view() : null;
        return {
            backend: backend ? backend.kind : 'none',
            trip: state.trip.length,
            played: state.played,
            clicked: state.clicked,
            bridge: !!bridge,
            route: state.route,
            track: state.track,
            trackCount: state.trackCount,
            marker: state.marker,
            center: view ? [view.lng, view.lat] : null,
            zoom: view ? view.zoom : null,
            scale: backend ? backend.hasScale() : false,
            markerShown: backend ? backend.markerShown() : false,
            pending: pending.length,
            calls: state.calls,
            query: query()
        };
    };
}());
